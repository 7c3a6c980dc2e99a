#include "run/Harm.h"

namespace zarnhold {

const char* runEndLine(Harm cause) {
    switch (cause) {
        case Harm::creature: return "The run is over: a creature killed you.";
        case Harm::fall: return "The run is over: you fell (or were thrown) too fast.";
        case Harm::unknown: break;
    }
    return "The run is over.";
}

}  // namespace zarnhold
