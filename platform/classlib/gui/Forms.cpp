#include "Forms.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
