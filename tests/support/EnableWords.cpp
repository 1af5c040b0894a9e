#include "tests/support/EnableWords.h"

#include "core/FileSystem.h"
#include "core/Import.h"

namespace zq {

const std::vector<std::string>& enableWords() {
    static const std::vector<std::string> words = readPlainWords(realFileSystem(), ZQ_ENABLE_LIST);
    return words;
}

} // namespace zq
