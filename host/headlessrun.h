// Without a display, the demo host watches for the register: it saves a
// screenshot, prints the register's rows and closes it, so that Show returns.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class HeadlessRun : public QObject {
public:
    explicit HeadlessRun(QString screenshotDir);

    // True once the register was captured and its screenshot saved.
    bool captured() const { return captured_; }

private:
    void poll();
    void capture(QWidget* master);

    QString screenshotDir_;
    QTimer timer_;
    bool captured_ = false;
};
