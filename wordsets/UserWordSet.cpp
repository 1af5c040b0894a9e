#include "wordsets/UserWordSet.h"

#include "core/WordDatabase.h"

namespace zq {

void scanUserWordSets(CWordDatabase&) {}

} // namespace zq
