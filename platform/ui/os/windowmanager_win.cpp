#include "platform/ui/windowmanager.h"

bool windowManagerMaximises()
{
    return true;
}
