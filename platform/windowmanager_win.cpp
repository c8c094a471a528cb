#include "platform/windowmanager.h"

bool windowManagerMaximises()
{
    return true;
}
