#include "core/Prompter.h"

#include "core/Errors.h"

namespace gibomer {

void abortWithMessage(Prompter& prompter, const QString& text)
{
    prompter.message(text);
    throw SilentAbort();
}

} // namespace gibomer
