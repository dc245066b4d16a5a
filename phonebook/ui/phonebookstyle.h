#pragma once

#include <QString>

// The look of the phonebook page's own widgets, in the program's palette
// (the colours of res/src/build-images). Scoped to the page's stack, so that
// message boxes opened from the page keep their own look.
inline QString phonebookStyleSheet() {
    return QStringLiteral(R"(
#phoneStack, #phoneStack QWidget { font-family: "Liberation Sans"; font-size: 9pt; }
#phoneStack QPushButton {
    background: #FFFFFF; color: #1F2937; border: 1px solid #C9D3DF; border-radius: 4px;
    padding: 4px 6px; min-height: 16px;
}
#phoneStack QPushButton:hover { background: #E3EEFC; border-color: #1E6FD9; }
#phoneStack QPushButton:pressed { background: #CFE0FA; }
#phoneStack QPushButton:disabled { color: #A9B4C2; background: #F3F6FA; border-color: #DDE3EA; }
#phoneStack QPushButton#okButton { background: #1E6FD9; color: #FFFFFF; border-color: #1759B0; }
#phoneStack QPushButton#okButton:hover { background: #1759B0; }
#phoneStack QTreeWidget, #phoneStack QTableView {
    background: #FFFFFF; border: 1px solid #DDE3EA; border-radius: 4px; color: #1F2937;
    alternate-background-color: #F8FAFC;
    selection-background-color: #E3EEFC; selection-color: #1F2937;
}
#phoneStack QTreeWidget::item { padding: 3px 0px; }
#phoneStack QTreeWidget::item:selected { background: #1E6FD9; color: #FFFFFF; }
#phoneStack QHeaderView::section {
    background: #F3F6FA; color: #374151; border: none; border-bottom: 1px solid #DDE3EA;
    border-right: 1px solid #DDE3EA; padding: 3px 4px;
}
#phoneStack QLineEdit {
    background: #FFFFFF; border: 1px solid #C9D3DF; border-radius: 4px; padding: 3px 6px;
    color: #1F2937;
}
#phoneStack QLineEdit:focus { border-color: #1E6FD9; }
#phoneStack QTreeWidget QLineEdit {
    padding: 0px 2px; border: 1px solid #1E6FD9; border-radius: 0px;
}
#phoneStack QLineEdit:disabled {
    background: #F3F6FA; color: #A9B4C2;
}
#phoneStack QLabel { color: #374151; }
#phoneStack QLabel#pageTitle { color: #1F2937; font-size: 13pt; font-weight: bold; }
#phoneStack QLabel#hintLabel, #phoneStack QLabel#captionLabel,
#phoneStack QLabel#pcCapacityLabel, #phoneStack QLabel#simCapacityLabel,
#phoneStack QLabel#sumLabel { color: #6B7280; }
#phoneStack QLabel#busyLabel { color: #1E6FD9; font-weight: bold; }
)");
}
