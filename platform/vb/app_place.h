// Inside the layer only: the running copy's place among the copies of the program, which tests
// give up so that a later check finds the copies afresh.
#pragma once

namespace platform::detail {

// Lets go of the copy's place and forgets the answer App.PrevInstance gave.
void LeavePlaceAmongCopies();

}  // namespace platform::detail
