#pragma once

// The rows of the message table: one per message of the list shown, in key
// order, with the texts of its columns made once when the list is set, so
// that showing and sorting a box of some thousand messages stays quick.

#include "sms/smsarrival.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>

// A time stamp as shown: its first twelve characters as year, month, day,
// hour, minute and second, "yy-MM-dd hh:mm:ss"; a part that is missing is
// left out with its separator.
QString formatMessageTime(const QString& stamp);

class SmsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { IdColumn = 0, NumberColumn, NameColumn, TimeColumn, StateColumn, ColumnCount };
    // The role that sorting uses: the id as a number, the time stamp as
    // stored (so that dates sort in time order), else the text shown.
    static constexpr int SortRole = Qt::UserRole;

    explicit SmsTableModel(QObject* parent = nullptr);

    // Shows `messages`; `nameOf` gives the contact name of a number.
    void setMessages(const SmsList& messages, const std::function<QString(const QString&)>& nameOf);
    void clear();

    int idAt(int row) const;
    QString numberAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // A state word ("new", "read", "send", "failed", "unsent") as the table shows it.
    static QString shownState(const QString& state);

    struct Row {
        int id;
        QString number, name, time, stamp, state; // the state as shown
    };
    QList<Row> rows_;
};
