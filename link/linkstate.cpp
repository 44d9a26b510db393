#include "linkstate.h"

LinkState &LinkState::instance()
{
    static LinkState state;
    return state;
}
