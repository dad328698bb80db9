#include "windowfilters.h"

#include "diskpackage.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

bool EscapeClears::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !edit->text().isEmpty()) {
        edit->clear();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

CloseGuard::CloseGuard(std::function<bool()> allow, QObject *parent)
    : QObject(parent), allow(std::move(allow))
{}

bool CloseGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && !allow()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ArchiveDrops::ArchiveDrops(std::function<void(const QStringList &)> take, QObject *parent)
    : QObject(parent), take(std::move(take))
{}

bool ArchiveDrops::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList archives = DiskPackage::archivesOf(drop->mimeData());
        if (!archives.isEmpty()) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // The drop ends before the questions: the file manager is not kept waiting.
            if (type == QEvent::Drop)
                QTimer::singleShot(0, parent(), [take = take, archives] { take(archives); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
