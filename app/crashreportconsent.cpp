#include "crashreportconsent.h"

#include "apppaths.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "primarybutton.h"
#include "spacer.h"
#include "stringutility.h"
#include "tsbreakpad.h"
#include "tscompression.h"
#include "tsxml.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

const QString choicesKey = QStringLiteral("crash_reports");
const QString sentWord = QStringLiteral("sent");
const QString declinedWord = QStringLiteral("declined");

// Each kept answer is one line: the answer, a blank, the archive's file name.
QStringList keptChoices()
{
    return TsXML::load(TsXML::Preferences, choicesKey).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The file name of the newest report archive in the logs folder: the one the upload sends.
QString newestArchiveName()
{
    return QDir(AppPaths::logsFolder())
        .entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Time)
        .value(0);
}

} // namespace

CrashReportConsent::CrashReportConsent(TsBreakpad &uploader, QObject *parent)
    : QObject(parent), uploader(uploader)
{}

CrashReportConsent::~CrashReportConsent()
{
    // The question lives inside another window: it goes with the object that answers it. Left
    // open to the end it was seen and not agreed to.
    if (question) {
        question->disconnect(this);
        const QString name = QFileInfo(archive).fileName();
        if (choiceFor(name) == Choice::None)
            keepChoice(name, Choice::Declined);
        delete question.data();
    }
}

QString CrashReportConsent::pendingReport()
{
    // Only the newest report is offered: it is the one the upload sends.
    const QString newest = newestArchiveName();
    if (newest.isEmpty() || choiceFor(newest) != Choice::None)
        return QString();
    return AppPaths::logsFolder() + QLatin1Char('/') + newest;
}

CrashReportConsent::Choice CrashReportConsent::choiceFor(const QString &archiveName)
{
    for (const QString &line : keptChoices()) {
        const int blank = line.indexOf(QLatin1Char(' '));
        if (blank < 0 || line.mid(blank + 1) != archiveName)
            continue;
        return line.left(blank) == sentWord ? Choice::Sent : Choice::Declined;
    }
    return Choice::None;
}

void CrashReportConsent::keepChoice(const QString &archiveName, Choice choice)
{
    QStringList lines = keptChoices();
    lines << (choice == Choice::Sent ? sentWord : declinedWord) + QLatin1Char(' ') + archiveName;
    TsXML::save(TsXML::Preferences, choicesKey, lines.join(QLatin1Char('\n')));
}

QStringList CrashReportConsent::reportEntries(const QString &archivePath)
{
    return TsCompression::listEntries(archivePath);
}

QString CrashReportConsent::reportSummary(const QString &archivePath)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return QString();
    const QString summary = TsCompression::unpackNamedEntry(
        archivePath, QStringLiteral("summary.dat"), folder.filePath(QStringLiteral("summary.dat")));
    return summary.isEmpty() ? QString() : StringUtility::readTextFile(summary).trimmed();
}

QString CrashReportConsent::describeEntry(const QString &entry)
{
    const QString suffix = QFileInfo(entry).suffix().toLower();
    //: %1 is a file name in the crash report
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("log"))
        return tr("%1: the installer's log of that day; it names folders of your home folder")
            .arg(entry);
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg"))
        return tr("%1: a screenshot of the installer's window at the crash").arg(entry);
    if (suffix == QLatin1String("dmp"))
        return tr("%1: the state of the installer's memory at the crash, for the developers")
            .arg(entry);
    if (entry == QLatin1String("summary.dat"))
        return tr("%1: the time of the crash").arg(entry);
    return entry;
}

bool CrashReportConsent::askIfPending(QWidget *window)
{
    if (question)
        return false;
    archive = pendingReport();
    if (archive.isEmpty())
        return false;

    // A window of its own above `window`, as every frame with a parent.
    auto *panel = new FramelessWindow(window);
    panel->makePanel();
    question = panel;
    DialogHost::applyDarkLook(panel);
    panel->setWindowTitle(tr("Crash Report"));
    panel->setFixedSize(640, 360);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    auto *text = new QLabel(tr("Zerun Installer closed unexpectedly last time. Send the crash "
                               "report to help fix it?"));
    text->setObjectName(QStringLiteral("crashReportQuestion"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text, 1);

    // What would be sent, shown on request: the archive's entries, each with what it is, and
    // its summary line as it is written.
    QStringList details{tr("The report holds:")};
    for (const QString &entry : reportEntries(archive))
        details << QStringLiteral("    ") + describeEntry(entry);
    const QString summary = reportSummary(archive);
    if (!summary.isEmpty())
        details << QString() << tr("Its summary line:") << QStringLiteral("    ") + summary;
    auto *contents = new QPlainTextEdit(details.join(QLatin1Char('\n')));
    contents->setObjectName(QStringLiteral("crashReportContents"));
    contents->setReadOnly(true);
    contents->setVisible(false);
    layout->addWidget(contents, 2);

    auto *buttons = new QHBoxLayout;
    auto *showContents = new QPushButton(tr("Show report contents"));
    showContents->setObjectName(QStringLiteral("crashReportShow"));
    showContents->setCheckable(true);
    auto *dontSend = new QPushButton(tr("Don't send"));
    dontSend->setObjectName(QStringLiteral("crashReportDontSend"));
    auto *sendButton = new PrimaryButton(tr("Send"));
    sendButton->setObjectName(QStringLiteral("crashReportSend"));
    buttons->addWidget(showContents);
    buttons->addWidget(new Spacer);
    buttons->addWidget(dontSend);
    buttons->addWidget(sendButton);
    layout->addLayout(buttons);
    panel->setContent(content, false);

    connect(showContents, &QPushButton::toggled, contents, &QWidget::setVisible);
    connect(sendButton, &QPushButton::clicked, this, &CrashReportConsent::send);
    connect(dontSend, &QPushButton::clicked, this, &CrashReportConsent::decline);
    // Closed without an answer: no consent, and the question is not asked again.
    // A widget announces its end from the base class destructor, when it is a FramelessWindow
    // no more: the pointer to it is dropped first.
    connect(panel, &QObject::destroyed, this, [this] {
        question = nullptr;
        if (!archive.isEmpty() && choiceFor(QFileInfo(archive).fileName()) == Choice::None)
            answer(Choice::Declined);
    });
    panel->setAttribute(Qt::WA_DeleteOnClose);

    DialogHost::centreWhenShown(panel, window);
    panel->show();
    panel->raise();
    panel->activateWindow();
    return true;
}

FramelessWindow *CrashReportConsent::panel() const
{
    return question.data();
}

QString CrashReportConsent::report() const
{
    return archive;
}

void CrashReportConsent::send()
{
    answer(Choice::Sent);
}

void CrashReportConsent::decline()
{
    answer(Choice::Declined);
}

void CrashReportConsent::answer(Choice choice)
{
    const QString name = QFileInfo(archive).fileName();
    if (archive.isEmpty() || choiceFor(name) != Choice::None)
        return;
    keepChoice(name, choice);
    // The upload sends the newest archive: still this one, unless a newer one came meanwhile.
    if (choice == Choice::Sent && newestArchiveName() == name)
        uploader.uploadCrash();
    if (question)
        question->close();
    emit answered(choice);
}
