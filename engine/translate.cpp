#include "engine/translate.h"

const char *Tr(const char *source) {
    return source;
}
