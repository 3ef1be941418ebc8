#include "random/State.h"

namespace dorva::random {

void ResetState() {
    fromValue = 0;
    toValue = 0;
}

} // namespace dorva::random
