// The ordered, process-wide list of interactors that the GLUT callbacks walk front to back.
#include "interact/interactor_list.h"

#include <algorithm>

InteractorList interactors;

bool propagate = true;

void add_interactor(Interactor* interactor, bool append) {
  remove_interactor(interactor);
  interactors.insert(append ? interactors.end() : interactors.begin(), interactor);
}

void remove_interactor(Interactor* interactor) {
  const auto entry = std::find(interactors.begin(), interactors.end(), interactor);
  if (entry != interactors.end()) interactors.erase(entry);
}
