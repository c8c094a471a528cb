#pragma once

#include "platform/apperror.h"
#include "platform/ui/errorsink.h"

#include <QStringList>

// Stands in for the application's default error box while it lives: collects the texts of
// the errors handed to the sink, and puts the previous handler back when it goes.
class ErrorCapture
{
public:
    ErrorCapture()
        : m_previous(errorsink::install([this](std::exception_ptr error) {
              try {
                  std::rethrow_exception(error);
              } catch (const AppError &e) {
                  texts.append(e.userText());
              }
          }))
    {
    }
    ~ErrorCapture() { errorsink::install(m_previous); }
    ErrorCapture(const ErrorCapture &) = delete;
    ErrorCapture &operator=(const ErrorCapture &) = delete;

    QStringList texts;

private:
    errorsink::Handler m_previous;
};
