#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

// Event filters the main window puts on its widgets and its frame.

// Esc in a line edit clears it (and goes no further).
class EscapeClears : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Asks before a window closes; the close goes ahead only when `allow` says so.
class CloseGuard : public QObject
{
public:
    CloseGuard(std::function<bool()> allow, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> allow;
};

// Takes drops of package archives from a file manager (local ".zip" files) for `take`; other
// drops (catalogue items onto the download list) go on to the widget.
class ArchiveDrops : public QObject
{
public:
    ArchiveDrops(std::function<void(const QStringList &)> take, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QStringList &)> take;
};
