#include "core/form.h"
