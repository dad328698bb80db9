#include "standarddialog.h"

#include "apppaths.h"
#include "dialoghost.h"
#include "tscipher.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QLayout>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

QString DialogCaption::openDatabase()
{
    return tr("Choose a Database to Open");
}

QString DialogCaption::saveDatabase()
{
    return tr("Save Database");
}

QString DialogFilter::images()
{
    return tr("Images (*.png *.jpg)");
}

QString DialogFilter::databases()
{
    return tr("Microsoft Access Database (*.mdb); SQLite Database (*.db); Tandel Database (*.tdb)");
}

QString DialogFilter::database()
{
    return tr("Database (*.tdb)");
}

QList<QUrl> DialogUrls::databases()
{
    return {QUrl::fromLocalFile(AppPaths::userDatabasesFolder())};
}

namespace {

enum class Icon { Show, Skip };

// The index of a question's choice, on its button.
const char *const choiceProperty = "standardDialogChoice";

// Every dialog of the family opens centred on the main window, in the dark look.
void prepare(QDialog &dialog, const QString &title, Icon icon = Icon::Show)
{
    DialogHost::applyDarkLook(&dialog);
    DialogHost::centreWhenShown(&dialog, dialog.parentWidget() ? dialog.parentWidget()
                                                               : DialogHost::mainWindow());
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setWindowFlag(Qt::WindowCloseButtonHint, false);
    if (icon == Icon::Show) {
        const QString iconPath = AppPaths::windowIconFile();
        if (QFile::exists(iconPath))
            dialog.setWindowIcon(QIcon(iconPath));
    }
    dialog.setWindowTitle(title);
    // The keyboard goes back to the window the dialog belongs to, also where no window manager
    // hands it back.
    if (QWidget *owner = dialog.parentWidget())
        QObject::connect(&dialog, &QDialog::finished, owner,
                         [owner] { owner->window()->activateWindow(); });
}

void prepareChooser(QFileDialog &dialog, bool save, const QList<QUrl> &urls,
                    const QString &directory)
{
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      QFileDialog::ReadOnly);
    dialog.setViewMode(QFileDialog::List);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setSidebarUrls(urls);
    // A file named in a folder that is there ("~/packages.txt"): that folder, with the name
    // proposed.
    const QFileInfo start(directory);
    if (!directory.isEmpty() && !start.isDir() && start.absoluteDir().exists()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    } else {
        dialog.setDirectory(directory);
    }
}

// Runs a chooser and returns its selection, or nothing when it was cancelled.
QStringList runChooser(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QStringList chooseFiles(bool save, const QList<QUrl> &urls, const QString &title,
                        const QString &directory, const QString &filter, Icon icon)
{
    QFileDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title, icon);
    prepareChooser(dialog, save, urls, directory);
    dialog.setNameFilter(filter);
    return runChooser(dialog);
}

// The dialog is shown until it is cancelled or accepted with some text; from the second
// showing on its label tells the user why it came back.
bool askForText(QInputDialog &dialog, const QString &label)
{
    bool accepted = false;
    do {
        accepted = dialog.exec() == QDialog::Accepted;
        dialog.setLabelText(label + StandardDialog::mustEnterValue());
    } while (accepted && dialog.textValue().isEmpty());
    return accepted;
}

} // namespace

QString StandardDialog::mustEnterValue()
{
    return tr(" (You must enter a value)");
}

QString StandardDialog::selectFolder(bool save, const QList<QUrl> &urls, const QString &title,
                                     const QString &directory)
{
    QFileDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    prepareChooser(dialog, save, urls, directory);
    dialog.setFileMode(QFileDialog::Directory);
    return runChooser(dialog).value(0);
}

QString StandardDialog::selectFile(bool save, const QList<QUrl> &urls, const QString &title,
                                   const QString &directory, const QString &filter)
{
    return chooseFiles(save, urls, title, directory, filter, Icon::Show).value(0);
}

QString StandardDialog::selectFilesJoined(bool save, const QList<QUrl> &urls, const QString &title,
                                          const QString &directory, const QString &filter)
{
    return chooseFiles(save, urls, title, directory, filter, Icon::Skip).join(QLatin1Char('\n'));
}

QStringList StandardDialog::selectFiles(bool save, const QList<QUrl> &urls, const QString &title,
                                        const QString &directory, const QString &filter)
{
    return chooseFiles(save, urls, title, directory, filter, Icon::Skip);
}

QString StandardDialog::getText(const QString &title, const QString &label)
{
    return getText(title, label, nullptr);
}

QString StandardDialog::getText(const QString &title, const QString &label, bool *accepted,
                                const QString &text)
{
    const std::unique_ptr<QInputDialog> dialog = textInput(title, label, text);
    const bool ok = askForText(*dialog, label);
    if (accepted)
        *accepted = ok;
    return dialog->textValue();
}

QString StandardDialog::getMultiLineText(const QString &title, const QString &label,
                                         const QString &text)
{
    QInputDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(QLineEdit::Normal);
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    dialog.setTextValue(text);
    dialog.setLabelText(label);
    askForText(dialog, label);
    return dialog.textValue();
}

QString StandardDialog::getPassword(const QString &title, const QString &label)
{
    QInputDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setLabelText(label);
    askForText(dialog, label);
    TsCipher cipher(passwordKey);
    dialog.setTextValue(cipher.encryptToText(dialog.textValue()));
    return dialog.textValue();
}

namespace {

// Gives the list of `dialog` its lines' tooltips and the width its longest line needs.
void fitList(QInputDialog &dialog, const QStringList &items, const QStringList &toolTips)
{
    auto *list = dialog.findChild<QListView *>();
    if (!list)
        return;
    for (int row = 0; row < toolTips.size() && row < list->model()->rowCount(); ++row)
        list->model()->setData(list->model()->index(row, 0), toolTips.at(row), Qt::ToolTipRole);
    list->setTextElideMode(Qt::ElideMiddle);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int widest = 0;
    for (const QString &item : items)
        widest = qMax(widest, list->fontMetrics().horizontalAdvance(item));
    const QWidget *host = dialog.parentWidget();
    const int room = host ? host->window()->width() - 40 : 900;
    // The list's frame, its lines' margins and a vertical scroll bar beside them.
    const int needed = widest + 2 * list->frameWidth() + 16 +
                       list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                       dialog.layout()->contentsMargins().left() +
                       dialog.layout()->contentsMargins().right();
    dialog.resize(qMax(dialog.sizeHint().width(), qMin(needed, room)), dialog.sizeHint().height());
}

QString chooseItem(const QString &title, const QString &label, const QStringList &items,
                   bool asList, const QStringList &toolTips = {})
{
    QInputDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    dialog.setComboBoxItems(items);
    if (asList)
        dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setLabelText(label);
    if (asList && !toolTips.isEmpty())
        fitList(dialog, items, toolTips);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

} // namespace

QString StandardDialog::getItem(const QString &title, const QString &label,
                                const QStringList &items)
{
    return chooseItem(title, label, items, false);
}

QString StandardDialog::getItemFromList(const QString &title, const QString &label,
                                        const QStringList &items)
{
    return chooseItem(title, label, items, true);
}

QString StandardDialog::getItemFromList(const QString &title, const QString &label,
                                        const QStringList &items, const QStringList &toolTips)
{
    return chooseItem(title, label, items, true, toolTips);
}

int StandardDialog::getInt(const QString &title, const QString &label, int value, int min, int max,
                           int step)
{
    QInputDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(label);
    dialog.setIntRange(min, max);
    dialog.setIntValue(value);
    dialog.setIntStep(step);
    if (dialog.exec() != QDialog::Accepted)
        return cancelledNumber;
    return dialog.intValue();
}

int StandardDialog::getInt(const QString &title, const QString &label, int value, int min, int max)
{
    return getInt(title, label, value, min, max, 1);
}

int StandardDialog::getInt(const QString &title, const QString &label, int min, int max)
{
    return getInt(title, label, min, min, max, 1);
}

int StandardDialog::getInt(const QString &title, const QString &label)
{
    return getInt(title, label, 0, 0, 100, 1);
}

double StandardDialog::getDouble(const QString &title, const QString &label, double value,
                                 double min, double max, int decimals, double step)
{
    QInputDialog dialog(DialogHost::mainWindow());
    prepare(dialog, title);
    dialog.setInputMode(QInputDialog::DoubleInput);
    dialog.setLabelText(label);
    dialog.setDoubleDecimals(decimals);
    dialog.setDoubleRange(min, max);
    dialog.setDoubleValue(value);
    dialog.setDoubleStep(step);
    if (dialog.exec() != QDialog::Accepted)
        return cancelledNumber;
    return dialog.doubleValue();
}

double StandardDialog::getDouble(const QString &title, const QString &label, double value,
                                 double min, double max, int decimals)
{
    return getDouble(title, label, value, min, max, decimals, 0.01);
}

double StandardDialog::getDouble(const QString &title, const QString &label, double value,
                                 double min, double max)
{
    return getDouble(title, label, value, min, max, 2, 0.01);
}

double StandardDialog::getDouble(const QString &title, const QString &label, double min, double max)
{
    return getDouble(title, label, min, min, max, 2, 0.01);
}

double StandardDialog::getDouble(const QString &title, const QString &label)
{
    return getDouble(title, label, 0, 0, 100.0, 2, 0.01);
}

QColor StandardDialog::getColor(const QString &title)
{
    QColorDialog dialog;
    dialog.setOptions(QColorDialog::DontUseNativeDialog | QColorDialog::ShowAlphaChannel);
    prepare(dialog, title);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedColor();
}

int StandardDialog::question(const QString &title, const QString &text, const QStringList &choices,
                             int defaultChoice, int escapeChoice, QMessageBox::Icon icon)
{
    const std::unique_ptr<QMessageBox> box =
        questionBox(title, text, choices, defaultChoice, escapeChoice, icon);
    box->exec();
    return choiceOf(*box);
}

std::unique_ptr<QMessageBox> StandardDialog::questionBox(const QString &title, const QString &text,
                                                         const QStringList &choices,
                                                         int defaultChoice, int escapeChoice,
                                                         QMessageBox::Icon icon)
{
    auto box = std::make_unique<QMessageBox>(DialogHost::mainWindow());
    prepare(*box, title);
    box->setIcon(icon);
    // Questions often carry a file name or a reason from elsewhere: shown as they are.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    for (int index = 0; index < choices.size(); ++index) {
        QPushButton *button = box->addButton(choices.at(index), QMessageBox::AcceptRole);
        button->setProperty(choiceProperty, index);
        if (index == defaultChoice)
            box->setDefaultButton(button);
        if (index == escapeChoice)
            box->setEscapeButton(button);
    }
    return box;
}

int StandardDialog::choiceOf(const QMessageBox &box)
{
    const QAbstractButton *clicked = box.clickedButton();
    const QVariant choice = clicked ? clicked->property(choiceProperty) : QVariant();
    return choice.isValid() ? choice.toInt() : -1;
}

std::unique_ptr<QInputDialog> StandardDialog::textInput(const QString &title, const QString &label,
                                                        const QString &text)
{
    auto dialog = std::make_unique<QInputDialog>(DialogHost::mainWindow());
    prepare(*dialog, title);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Normal);
    dialog->setTextValue(text);
    dialog->setLabelText(label);
    return dialog;
}

QString StandardDialog::getColorName(const QString &title)
{
    return getColor(title).name(QColor::HexArgb);
}
