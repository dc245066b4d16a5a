#pragma once

// Scroll bars in the program's palette: a light track and a darker handle,
// so that the handle marks the part of a list that is in view. (Fusion
// draws its handle lighter than the groove, which on these white lists
// reads as a handle at the other end.)
inline constexpr char kScrollBarStyle[] = R"(
QScrollBar:vertical { background: #F3F6FA; width: 12px; margin: 0; border: none; }
QScrollBar:horizontal { background: #F3F6FA; height: 12px; margin: 0; border: none; }
QScrollBar::handle:vertical { background: #B8C4D2; border-radius: 4px; min-height: 24px;
                              margin: 2px; }
QScrollBar::handle:horizontal { background: #B8C4D2; border-radius: 4px; min-width: 24px;
                                margin: 2px; }
QScrollBar::handle:hover { background: #8C9BAE; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";
