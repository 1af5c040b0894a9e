#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FileSystem.h"

namespace zq::test {

// The file operations a fault can strike.
enum class Op { None, Create, Write, Flush, Close, Copy, Rename, Read, DiskFull, DiskFullLate };
const char* nameOf(Op op);

// The real file system with one fault: the n-th call of one operation fails
// (for the disk-full faults, n is the number of bytes the disk still takes).
// It counts the calls of every operation, so a run without a fault tells how
// many there are to fail.
class FaultyFileSystem final : public FileSystem {
  public:
    // Faults over `inner` (the real file system by default).
    explicit FaultyFileSystem(FileSystem& inner = realFileSystem()) : base_(inner) {}

    Op fault = Op::None;
    std::size_t n = 0;
    bool hit = false; // the fault came into play
    std::map<Op, std::size_t> calls;
    std::size_t bytesWritten = 0;

    void arm(Op op, std::size_t count) {
        fault = op;
        n = count;
        hit = false;
        calls.clear();
        bytesWritten = 0;
    }
    // Whether this call of `op` is the one to fail.
    bool strikes(Op op) {
        if (++calls[op] != n || fault != op) return false;
        hit = true;
        return true;
    }

    std::unique_ptr<ByteStream> openRead(const std::string& p) override {
        auto inner = base_.openRead(p);
        if (!inner) return nullptr;
        return std::make_unique<Stream>(*this, std::move(inner));
    }
    // Every file created below this folder fails, as in a folder that takes
    // no new files.
    std::string refuseCreatesIn;

    std::unique_ptr<ByteStream> create(const std::string& p) override {
        if (!refuseCreatesIn.empty() && p.rfind(refuseCreatesIn + "/", 0) == 0) return nullptr;
        if (strikes(Op::Create)) return nullptr;
        auto inner = base_.create(p);
        if (!inner) return nullptr;
        return std::make_unique<Stream>(*this, std::move(inner));
    }
    std::optional<std::int64_t> fileSize(const std::string& p) override {
        return base_.fileSize(p);
    }
    bool exists(const std::string& p) override { return base_.exists(p); }
    bool replace(const std::string& a, const std::string& b) override {
        if (strikes(Op::Rename)) return false;
        return base_.replace(a, b);
    }
    // A failing copy has written part of the target, as an interrupted copy
    // would.
    bool copy(const std::string& a, const std::string& b) override {
        if (strikes(Op::Copy)) {
            const auto content = readWholeFile(base_, a);
            auto out = base_.create(b);
            if (content && out) out->write(content->data(), content->size() / 2);
            return false;
        }
        return base_.copy(a, b);
    }
    bool remove(const std::string& p) override { return base_.remove(p); }
    std::vector<std::string> list(const std::string& f, const std::string& s) override {
        return base_.list(f, s);
    }

  private:
    FileSystem& base_;
    class Stream final : public ByteStream {
      public:
        Stream(FaultyFileSystem& fs, std::unique_ptr<ByteStream> inner)
            : fs_(fs), inner_(std::move(inner)) {}
        // A failing read ends the data early.
        std::size_t read(void* b, std::size_t count) override {
            const std::size_t got = inner_->read(b, count);
            if (got > 0 && fs_.strikes(Op::Read)) return 0;
            return got;
        }
        // A failing write takes half of the bytes. A full disk takes what
        // room is left; in the late variant the loss only shows at the flush
        // or close, as with a buffered file.
        std::size_t write(const void* b, std::size_t count) override {
            if (fs_.strikes(Op::Write)) return inner_->write(b, count / 2);
            std::size_t take = count;
            const bool full = fs_.fault == Op::DiskFull || fs_.fault == Op::DiskFullLate;
            if (full) {
                take = std::min(count, fs_.n > fs_.bytesWritten ? fs_.n - fs_.bytesWritten : 0);
                if (take < count) {
                    fs_.hit = true;
                    lost_ = true;
                }
            }
            fs_.bytesWritten += inner_->write(b, take);
            return fs_.fault == Op::DiskFullLate ? count : take;
        }
        bool flush() override {
            const bool ok = inner_->flush();
            if (fs_.strikes(Op::Flush)) return false;
            return ok && !(lost_ && fs_.fault == Op::DiskFullLate);
        }
        bool close() override {
            const bool ok = inner_->close();
            if (fs_.strikes(Op::Close)) return false;
            return ok && !(lost_ && fs_.fault == Op::DiskFullLate);
        }
        std::int64_t tell() override { return inner_->tell(); }
        bool seek(std::int64_t p) override { return inner_->seek(p); }

      private:
        FaultyFileSystem& fs_;
        std::unique_ptr<ByteStream> inner_;
        bool lost_ = false;
    };
};

} // namespace zq::test
