#pragma once

// Lets screen readers meet a list of results as a list whose items each offer
// an action that opens the result, as a double-click on it does, so that a
// result opens without a double-click. Later calls do nothing.
void installResultListAccessibility();
