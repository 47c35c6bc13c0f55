// The ordered, process-wide list of interactors that the GLUT callbacks walk front to back,
// and the flag with which an interactor keeps the current event from those behind it.
#pragma once

#include <vector>

#include "interact/interactor.h"

// Pointers to interactors the list does not own; each is listed at most once.
using InteractorList = std::vector<Interactor*>;

extern InteractorList interactors;

// Set to true before every walk; an interactor that sets it to false keeps the current event
// from every interactor behind it in the list.
extern bool propagate;

// Lists `interactor` at the back (append true) or at the front (append false). One that is
// already listed is moved, never listed twice.
void add_interactor(Interactor* interactor, bool append);

// Unlists `interactor`; does nothing when it is not listed. The interactor itself is untouched.
void remove_interactor(Interactor* interactor);
