#pragma once

#include <QString>

#include <stdexcept>

// The one family of errors the program raises. The text is what the user reads in the
// default error box; the box adds the closing full stop itself.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &userText)
        : std::runtime_error(userText.toStdString()), m_userText(userText)
    {
    }

    const QString &userText() const noexcept { return m_userText; }

private:
    QString m_userText;
};
