#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zq {

// A binary file opened for reading or for writing. Every operation reports
// failure through its result; nothing throws.
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Returns the number of bytes read: fewer than asked at the end of the
    // data or on an error.
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    // Returns the number of bytes accepted: fewer than asked on an error.
    virtual std::size_t write(const void* buffer, std::size_t count) = 0;
    // Pushes written bytes to the disk (durably, where the system allows).
    virtual bool flush() = 0;
    // Closes the file; false when the last writes could not be completed.
    virtual bool close() = 0;
    virtual std::int64_t tell() = 0;
    virtual bool seek(std::int64_t position) = 0;
};

// The file operations the engine needs. The real one works on the disk;
// tests substitute one that fails on demand.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<ByteStream> openRead(const std::string& path) = 0;
    // Creates or truncates the file for writing.
    virtual std::unique_ptr<ByteStream> create(const std::string& path) = 0;
    virtual std::optional<std::int64_t> fileSize(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Replaces `to` by `from` in one step (rename over the target).
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool copy(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Names (not paths) of the regular files in `folder` ending with `suffix`,
    // sorted byte by byte.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& suffix) = 0;
    // Names of the folders in `folder`, sorted byte by byte; none by default.
    virtual std::vector<std::string> folders(const std::string& folder) {
        (void)folder;
        return {};
    }
    // Creates the folder and any missing folders above it; true when it is
    // there afterwards. A store without folders has nothing to create.
    virtual bool makeFolder(const std::string& folder) {
        (void)folder;
        return true;
    }
    // Removes the folder when it is empty; a folder with anything in it stays.
    virtual void removeEmptyFolder(const std::string& folder) { (void)folder; }
};

FileSystem& realFileSystem();

// Joins a folder and a file name; an empty folder means the current one.
std::string joinPath(const std::string& folder, const std::string& name);

// Reads a whole file; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(FileSystem& fs, const std::string& path);

// Writes a file without ever leaving a half-written one at its path: the
// bytes go to a temporary file beside it; `commit` flushes and closes that file
// and renames it over the path, optionally keeping the replaced file as
// path + ".bak" (copied to path + ".bak.tmp" and renamed, so the backup is
// always whole: the previous one or the new one). Until `commit` succeeds the
// path is untouched; a writer that is destroyed uncommitted removes its
// temporary file.
class SafeFileWriter {
  public:
    SafeFileWriter(FileSystem& fs, std::string path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // The temporary file's stream; null when it could not be created.
    ByteStream* stream() { return stream_.get(); }
    const std::string& tempPath() const { return tempPath_; }
    // Flushes and closes the temporary file; false with a reason on failure.
    bool close(std::string& reason);
    // Closes (if still open) and replaces the target; false with a reason.
    // A backup that cannot be kept does not stop the new file: `backupKept`
    // (when given) tells whether it was.
    bool commit(bool keepBackup, std::string& reason, bool* backupKept = nullptr);

  private:
    void discard();

    FileSystem& fs_;
    std::string path_;
    std::string tempPath_;
    std::unique_ptr<ByteStream> stream_;
    bool closed_ = false;
    bool committed_ = false;
};

} // namespace zq
