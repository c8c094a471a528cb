#include "platform/ui/errorsink.h"

namespace errorsink {

namespace {
Handler &installed()
{
    static Handler handler;
    return handler;
}
} // namespace

Handler install(Handler handler)
{
    return std::exchange(installed(), std::move(handler));
}

void report(std::exception_ptr error)
{
    if (!installed())
        std::rethrow_exception(error);
    installed()(error);
}

} // namespace errorsink
