#pragma once

#include <QString>

// Who reads a text: the log keeps English, the player reads it in their language.
enum class Wording { Log, Player };

// `source` for its reader: translated in `context` for the player, as written for the log. In
// both, "%n" becomes `n` (when n is not -1), so one text serves both places; the log takes a
// counted text's English singular or plural ("1 file", "2 files" for "%n file(s)").
QString worded(Wording wording, const char *context, const char *source,
               const char *comment = nullptr, int n = -1);

// A source text with its comment, as QT_TRANSLATE_NOOP3 and QT_TRANSLATE_N_NOOP3 give it.
struct SourceText
{
    const char *source;
    const char *comment;
};
inline QString worded(Wording wording, const char *context, const SourceText &text, int n = -1)
{
    return worded(wording, context, text.source, text.comment, n);
}

// `text` with its first letter upper-case, for a clause that starts a sentence of its own.
QString sentence(QString text);

// One text in both wordings, for what goes to the log and to the page alike.
struct WordedText
{
    QString log;
    QString player;

    // QString::arg() on both.
    template<typename... Args>
    WordedText arg(const Args &...args) const
    {
        return {log.arg(args...), player.arg(args...)};
    }
};
inline WordedText wordedText(const char *context, const char *source, const char *comment = nullptr,
                             int n = -1)
{
    return {worded(Wording::Log, context, source, comment, n),
            worded(Wording::Player, context, source, comment, n)};
}
