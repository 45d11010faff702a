#include "shell/MyTimer.h"
