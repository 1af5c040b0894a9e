#include "tests/support/FaultyFileSystem.h"

namespace zq::test {

const char* nameOf(Op op) {
    switch (op) {
    case Op::None:
        return "none";
    case Op::Create:
        return "create";
    case Op::Write:
        return "write";
    case Op::Flush:
        return "flush";
    case Op::Close:
        return "close";
    case Op::Copy:
        return "copy";
    case Op::Rename:
        return "rename";
    case Op::Read:
        return "read";
    case Op::DiskFull:
        return "disk full";
    case Op::DiskFullLate:
        return "disk full, noticed at flush";
    }
    return "?";
}

} // namespace zq::test
