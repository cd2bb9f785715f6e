#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace toolkit {

// The application's title, which a message box without a caption of its own carries.
inline constexpr char applicationTitle[] = "Telvane";

// A modal message box with an OK button and no icon; returns once it is dismissed.
void showMessage(QWidget* parent, const QString& text,
                 const QString& caption = QString::fromLatin1(applicationTitle));

// Where message boxes go instead of the screen while a handler is set: the
// seam through which tests read and answer them. Returns the previous one.
using MessageHandler = std::function<void(const QString& caption, const QString& text)>;
MessageHandler setMessageHandler(MessageHandler handler);

} // namespace toolkit
