#pragma once

#include <QDialog>
#include <QPoint>

class QComboBox;
class QLabel;
class ContactPickModel;
class CShortTable;
class MyButton;

// The recipient picker: the phonebook's contacts on the left, the chosen ones
// on the right, and OK hands the chosen mobile numbers over joined by ";".
// The store choice offers the PC's contacts, and the SIM's while the card
// is online (the message page adds the entry).
class CSearchContact : public QDialog {
    Q_OBJECT
public:
    explicit CSearchContact(QWidget* parent = nullptr, const char* name = nullptr);

    // Offers the SIM's contacts too (or no longer).
    void setSimAvailable(bool available);

    QComboBox* comboBox1;
    CShortTable* table1;
    CShortTable* table1_2;
    QLabel* textLabel1;   // "Contact(s)"
    QLabel* textLabel1_2; // "Selected contact(s)"
    MyButton* torightButton;
    MyButton* toleftButton;
    MyButton* okButton;
    MyButton* cancelButton;

    ContactPickModel* leftModel() const { return left_; }
    ContactPickModel* rightModel() const { return right_; }
    // Rows of each table.
    int leftRowCount() const;
    int rightRowCount() const;

signals:
    void okclick(QString numbers);
    void closesearch();

public slots:
    void TorightClicked();
    void ToleftClicked();
    void DoubleClicked(int row);
    void DoubleClickedright(int row);
    void tableclicked(int row, int col, int button, const QPoint& at);
    void table1_2clicked(int row, int col, int button, const QPoint& at);
    void slotSaveChange(const QString& store);
    void updateLeftTable(bool sim);
    void okClicked();
    void cancelClicked();
    void languageChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Moves the checked rows (or the one model row `only`) of `from` to `to`.
    void moveRows(CShortTable* fromTable, ContactPickModel* from, ContactPickModel* to,
                  int only = -1);

    ContactPickModel* left_;
    ContactPickModel* right_;
    QLabel* title_;
    QLabel* storeLabel_;
    bool dragging_ = false;
    QPoint dragOffset_;
};
