// A pure layer reaching for the panel: must not find the header.
#include "plan/panel/frequency_engine.h"
