#include "services/shared.h"

SharedRecord g;
