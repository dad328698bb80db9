#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class FramelessWindow;
class QWidget;
class TsBreakpad;

// Asks the player, once per crash report, whether the newest report of the logs folder may be
// sent. Nothing is sent without a yes; the answer is kept in the profile (one line per report in
// the preference "crash_reports"), so no report is asked about or sent twice.
//
// answered() comes at most once per question asked, on the GUI thread: from inside send() or
// decline() (the question's buttons), or, for a question closed without an answer, when its
// panel is destroyed (on the event loop's next turn after the close, or with the window it sits
// in). send() and decline() with no question asked, or for a report already answered, do
// nothing. Destroyed with the question open, the object deletes it, keeps "declined" and emits
// nothing. The panel is a window of its own above the window given to askIfPending() (its
// parent), centred on it and kept on its screen, and deletes itself once closed. The uploader is
// borrowed and must outlive the object; the archive is never deleted.
class CrashReportConsent : public QObject
{
    Q_OBJECT

public:
    enum class Choice { None, Sent, Declined };
    Q_ENUM(Choice)

    explicit CrashReportConsent(TsBreakpad &uploader, QObject *parent = nullptr);
    ~CrashReportConsent() override;

    // Path of the newest report archive when no answer is kept for it; empty otherwise.
    static QString pendingReport();
    // The answer kept for the archive of that file name.
    static Choice choiceFor(const QString &archiveName);
    // What the report holds, as the question shows it: its entry names in order, then the
    // summary line. Empty when the archive cannot be read.
    static QStringList reportEntries(const QString &archivePath);
    static QString reportSummary(const QString &archivePath);
    // One entry of the report with what it is, in the player's words: "081226.txt: the
    // installer's log of that day; it names folders of your home folder".
    static QString describeEntry(const QString &entry);

    // Shows the question inside window when a report waits for an answer; true when it asked.
    bool askIfPending(QWidget *window);
    // The open question, if any.
    FramelessWindow *panel() const;
    // The archive the question is about; empty until askIfPending() found one.
    QString report() const;

public slots:
    // Uploads the report and keeps the answer.
    void send();
    // Keeps the answer without sending anything. Closing the question counts as this.
    void decline();

signals:
    void answered(CrashReportConsent::Choice choice);

private:
    void answer(Choice choice);
    static void keepChoice(const QString &archiveName, Choice choice);

    TsBreakpad &uploader;
    QString archive;
    QPointer<FramelessWindow> question;
};
