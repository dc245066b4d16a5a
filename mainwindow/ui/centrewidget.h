#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QTimer;
class MyButton;
class CMyLabel;

// The home area of the main window: the row of page buttons, the caption of
// the page shown, the page stack and the status row (signal, service,
// operator, new-message indicator, data connection, SIM and modem).
class CentreWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int areaHeight = 440;
    // Page ids in the stack.
    enum PageId {
        HomePage = 0,
        PhonebookPage = 1,
        SmsPage = 2,
        SettingsPage = 4,
        InternetPage = 5
    };

    explicit CentreWidget(QWidget* parent = nullptr, const char* name = nullptr,
                          Qt::WindowFlags f = {});

    // Page stack: pages are added under an id and raised by it.
    void addPage(QWidget* page, int id);
    void raisePage(int id);
    QWidget* page(int id) const;
    int currentPageId() const;

    // The caption shown above the pages.
    void setCaptionLabel(QLabel* label);

    // Data connection animation of "isConnectLabel".
    void dataConnectAnimated();
    void dataConnectStop();
    bool checkTimerValidation() const;

    MyButton* phonebookButton;
    MyButton* smsButton;
    MyButton* homepageButton;
    MyButton* setButton;
    MyButton* simButton;
    MyButton* helpButton;
    MyButton* homeButton;

    QLabel* serviceLabel;
    QLabel* signalLabel;
    QLabel* ispLabel;
    CMyLabel* newMsgLabel;
    QLabel* pcsimLabel;
    QLabel* isConnectLabel;
    QLabel* simLabel;
    QLabel* modemLabel;

    QStackedWidget* widgetStack;

public slots:
    void slotDataConnectAnimated();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Image files below res/ of a page button's four looks.
    struct PageImages {
        const char* normal;
        const char* focusIn;
        const char* pressed;
        const char* invalid;
    };
    MyButton* makePageButton(const char* name, const PageImages& images, const QString& caption,
                             const QString& tip, int x);
    void buildStatusRow();

    QPixmap background_;
    QHash<int, QWidget*> pages_;
    QTimer* animationTimer_ = nullptr;
    int animationFrame_ = 0;
};
