#pragma once

#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

class QInputDialog;

// Translatable dialog titles shared by the applications of the framework.
class DialogCaption : public QObject
{
    Q_OBJECT

public:
    static QString openDatabase();
    static QString saveDatabase();
};

// Translatable file-name filters for the file choosers.
class DialogFilter : public QObject
{
    Q_OBJECT

public:
    static QString images();
    static QString databases();
    static QString database();
};

// Side-bar locations for the file choosers.
class DialogUrls : public QObject
{
    Q_OBJECT

public:
    static QList<QUrl> databases();
};

// Modal pickers with one look: the toolkit's own dialog widgets in the dark look, centred on the
// main window, the application icon and no help or close button. Each call runs its dialog to
// completion and returns the value, or a fixed nothing-chosen result: an empty string or list, an
// invalid colour, or cancelledNumber.
class StandardDialog : public QObject
{
    Q_OBJECT

public:
    // What a cancelled number input returns; never a value to use.
    static constexpr int cancelledNumber = -1000;

    static QString selectFolder(bool save, const QList<QUrl> &urls, const QString &title,
                                const QString &directory);
    static QString selectFile(bool save, const QList<QUrl> &urls, const QString &title,
                              const QString &directory, const QString &filter);
    static QString selectFilesJoined(bool save, const QList<QUrl> &urls, const QString &title,
                                     const QString &directory, const QString &filter);
    static QStringList selectFiles(bool save, const QList<QUrl> &urls, const QString &title,
                                   const QString &directory, const QString &filter);

    // Re-asks while OK is pressed on an empty field. After Cancel the field's text is returned,
    // which is why callers that must tell Cancel from an answer pass `accepted`.
    static QString getText(const QString &title, const QString &label);
    // `text` is what the field starts with (a suggestion the player can change).
    static QString getText(const QString &title, const QString &label, bool *accepted,
                           const QString &text = QString());
    static QString getMultiLineText(const QString &title, const QString &label,
                                    const QString &text = QString());

    static QString getItem(const QString &title, const QString &label, const QStringList &items);
    static QString getItemFromList(const QString &title, const QString &label,
                                   const QStringList &items);
    // The list as wide as its longest line needs (at most the main window's width), each line
    // with its tooltip; a line still too long loses its middle, never shows a scroll bar.
    static QString getItemFromList(const QString &title, const QString &label,
                                   const QStringList &items, const QStringList &toolTips);

    static int getInt(const QString &title, const QString &label, int value, int min, int max,
                      int step);
    static int getInt(const QString &title, const QString &label, int value, int min, int max);
    static int getInt(const QString &title, const QString &label, int min, int max);
    static int getInt(const QString &title, const QString &label);

    static double getDouble(const QString &title, const QString &label, double value, double min,
                            double max, int decimals, double step);
    static double getDouble(const QString &title, const QString &label, double value, double min,
                            double max, int decimals);
    static double getDouble(const QString &title, const QString &label, double value, double min,
                            double max);
    static double getDouble(const QString &title, const QString &label, double min, double max);
    static double getDouble(const QString &title, const QString &label);

    // Asks a question with one button per choice, in the order given; returns the index of the
    // choice made, or -1 when the question was closed without one. Enter presses the default
    // choice and Esc the escape choice, where given. The text shows as plain text.
    static int question(const QString &title, const QString &text, const QStringList &choices,
                        int defaultChoice = -1, int escapeChoice = -1,
                        QMessageBox::Icon icon = QMessageBox::Question);

    // The box question() runs, ready for exec() or open(); choiceOf() reads the choice made (-1:
    // none). Information boxes pass QMessageBox::Information.
    static std::unique_ptr<QMessageBox> questionBox(const QString &title, const QString &text,
                                                    const QStringList &choices,
                                                    int defaultChoice = -1, int escapeChoice = -1,
                                                    QMessageBox::Icon icon = QMessageBox::Question);
    static int choiceOf(const QMessageBox &box);
    // The text input getText() runs, ready to be shown.
    static std::unique_ptr<QInputDialog> textInput(const QString &title, const QString &label,
                                                   const QString &text = QString());

    static QColor getColor(const QString &title);
    static QString getColorName(const QString &title);

    // The entered text never leaves the dialog in the clear: it comes back encrypted under
    // passwordKey, as Base64 text, whether the dialog ended by OK or by Cancel.
    static QString getPassword(const QString &title, const QString &label);
    static constexpr quint64 passwordKey = 482913;

    // Appended to the label from the second showing of a text input on.
    static QString mustEnterValue();
};
