#include "basreimbursement.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QUrl>

namespace ZQ5Reimbursement {

namespace {

const char* const helpFileProperty = "helpFile";

// F1 anywhere in the application opens the help file, when there is one.
class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        const QString path = helpFile();
        if (path.isEmpty() || !QFile::exists(path))
            return false;
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return true;
    }
};

}  // namespace

void SetHelpFile() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    application->setProperty(helpFileProperty, componentFolder() + QStringLiteral("/Help/helpfile.hlp"));
    // Owned by the application, so a later application gets a filter of its own.
    static QPointer<HelpKeyFilter> filter;
    if (!filter) {
        filter = new HelpKeyFilter(application);
        application->installEventFilter(filter);
    }
}

QString helpFile() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application ? application->property(helpFileProperty).toString() : QString();
}

}  // namespace ZQ5Reimbursement
