#include "extras/lzrw1.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <system_error>

#include "extras/lzrw1_block.h"
#include "extras/replace_file.h"

namespace quintrel {

namespace {

constexpr std::size_t kIoBufferSize = kLzrw1BlockSize + kLzrw1Slack;
constexpr const char* kMemoryName = "<memory>";

[[noreturn]] void fail(const std::string& text) { throw Lzrw1Error(text); }

[[noreturn]] void failRead(const std::string& name) {
    fail("Lzrw1 : Error reading from input file : " + name);
}
[[noreturn]] void failWrite(const std::string& name) {
    fail("Lzrw1 : Error writing to output file : " + name);
}
[[noreturn]] void failSizeMismatch() {
    fail("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}
[[noreturn]] void failDamaged(const std::string& name) {
    fail("Lzrw1 (decompression LZRW1/KH) : damaged block in : " + name);
}

class Source {
public:
    virtual ~Source() = default;
    // Reads up to size bytes; fewer only at the end. Throws on a read failure.
    virtual std::size_t read(std::uint8_t* into, std::size_t size) = 0;
};

class Sink {
public:
    virtual ~Sink() = default;
    virtual bool write(const std::uint8_t* data, std::size_t size) = 0;
};

class FileSource final : public Source {
public:
    FileSource(std::FILE* file, const std::string& name) : file_(file), name_(name) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(std::uint8_t* into, std::size_t size) override {
        const std::size_t got = std::fread(into, 1, size, file_);
        if (got < size && std::ferror(file_) != 0) failRead(name_);
        return got;
    }

private:
    std::FILE* file_;
    const std::string& name_;
};

class MemorySource final : public Source {
public:
    explicit MemorySource(std::string_view data) : data_(data) {}
    std::size_t read(std::uint8_t* into, std::size_t size) override {
        const std::size_t got = std::min(size, data_.size() - pos_);
        if (got > 0) std::memcpy(into, data_.data() + pos_, got);
        pos_ += got;
        return got;
    }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

class FileSink final : public Sink {
public:
    explicit FileSink(ReplacingFile& file) : file_(file) {}
    bool write(const std::uint8_t* data, std::size_t size) override { return file_.write(data, size); }

private:
    ReplacingFile& file_;
};

class MemorySink final : public Sink {
public:
    explicit MemorySink(std::string& out) : out_(out) {}
    bool write(const std::uint8_t* data, std::size_t size) override {
        out_.append(reinterpret_cast<const char*>(data), size);
        return true;
    }

private:
    std::string& out_;
};

using IoBuffer = std::unique_ptr<std::uint8_t[]>;

IoBuffer allocateIoBuffer() {
    try {
        return std::make_unique_for_overwrite<std::uint8_t[]>(kIoBufferSize);
    } catch (const std::bad_alloc&) {
        fail("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
    }
}

void putLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getLittleEndian(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
    return value;
}

// Returns the container's size in bytes.
std::int64_t writeContainer(Source& in, std::int64_t size, Sink& out, std::int16_t* hash,
                            const std::string& inName, const std::string& outName,
                            const std::function<void()>& onBlock) {
    IoBuffer plain = allocateIoBuffer();
    IoBuffer packed = allocateIoBuffer();

    std::uint8_t header[8];
    putLittleEndian(header, kLzrw1ContainerId, 4);
    putLittleEndian(header + 4, static_cast<std::uint32_t>(size), 4);
    if (!out.write(header, sizeof header)) failWrite(outName);
    std::int64_t written = sizeof header;
    std::int64_t readTotal = 0;

    std::size_t got = 0;
    do {
        got = in.read(plain.get(), kLzrw1BlockSize);
        readTotal += static_cast<std::int64_t>(got);
        const std::size_t n = lzrw1CompressBlock(plain.get(), got, packed.get(), hash);
        std::uint8_t length[2];
        putLittleEndian(length, static_cast<std::uint32_t>(n), 2);
        if (!out.write(length, 2) || !out.write(packed.get(), n)) failWrite(outName);
        written += static_cast<std::int64_t>(2 + n);
        if (onBlock) onBlock();
    } while (got == kLzrw1BlockSize);

    // The size in the header was taken before reading; a file that changed meanwhile
    // would give a container that can never be read back.
    if (readTotal != size) failRead(inName);
    return written;
}

// Returns the number of bytes restored.
std::int64_t readContainer(Source& in, Sink& out, const std::string& inName, const std::string& outName,
                           const std::function<void()>& onBlock) {
    std::uint8_t header[8];
    if (in.read(header, 4) != 4) failRead(inName);
    const std::uint32_t id = getLittleEndian(header, 4);
    if (id == kLzhContainerId) {
        fail("Lzrw1 decompression : LZH containers are not supported : " + inName);
    }
    if (id != kLzrw1ContainerId) {
        fail(inName + " : Lzrw1 decompression : this file has no valid header !");
    }
    if (in.read(header + 4, 4) != 4) failRead(inName);
    const auto original = static_cast<std::int32_t>(getLittleEndian(header + 4, 4));
    if (original < 0) failSizeMismatch();

    IoBuffer packed = allocateIoBuffer();
    IoBuffer plain = allocateIoBuffer();
    std::int64_t total = 0;
    long produced = 0;
    do {
        std::uint8_t length[2];
        if (in.read(length, 2) != 2) failRead(inName);
        const std::size_t n = getLittleEndian(length, 2);
        // The largest block a writer makes is a stored full block.
        if (n > kLzrw1BlockSize + 1) failDamaged(inName);
        if (in.read(packed.get(), n) != n) failRead(inName);
        produced = lzrw1DecompressBlock(packed.get(), n, plain.get());
        if (produced < 0) failDamaged(inName);
        total += produced;
        // Stop as soon as the data outgrows its stated size: a damaged container cannot
        // make us write more than the header promised.
        if (total > original) failSizeMismatch();
        if (!out.write(plain.get(), static_cast<std::size_t>(produced))) failWrite(outName);
        if (onBlock) onBlock();
    } while (produced == static_cast<long>(kLzrw1BlockSize));

    if (total != original) failSizeMismatch();
    return total;
}

FileSource openInput(const std::string& name) {
    std::FILE* file = name.empty() ? nullptr : std::fopen(name.c_str(), "rb");
    if (file == nullptr) fail("Lzrw1 (de)compression : Failed to open input file : " + name);
    return FileSource(file, name);
}

}  // namespace

Tlzrw1::Tlzrw1() {
    try {
        hash_.resize(kLzrw1HashSize);
    } catch (const std::bad_alloc&) {
        fail("LZRW1KH : no memory for HASH table");
    }
}

std::int64_t Tlzrw1::Compress() {
    FileSource in = openInput(InputFile);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(InputFile, error);
    if (error) fail("Lzrw1 compression : Failed to obtain the size of : " + InputFile);
    if (size > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max())) {
        fail("Lzrw1 compression : file too large for the container (2 GiB or more) : " + InputFile);
    }
    ReplacingFile file(OutputFile);
    if (!file.isOpen()) fail("Lzrw1 (de)compression : Failed to open output file : " + OutputFile);
    FileSink out(file);
    const std::int64_t written = writeContainer(in, static_cast<std::int64_t>(size), out, hash_.data(),
                                                InputFile, OutputFile, onBlock);
    if (!file.commit()) failWrite(OutputFile);
    return written;
}

std::int64_t Tlzrw1::Decompress() {
    FileSource in = openInput(InputFile);
    ReplacingFile file(OutputFile);
    if (!file.isOpen()) fail("Lzrw1 (de)compression : Failed to open output file : " + OutputFile);
    FileSink out(file);
    const std::int64_t written = readContainer(in, out, InputFile, OutputFile, onBlock);
    if (!file.commit()) failWrite(OutputFile);
    return written;
}

std::string Tlzrw1::Compress(std::string_view plain) {
    if (plain.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        fail(std::string("Lzrw1 compression : file too large for the container (2 GiB or more) : ") +
             kMemoryName);
    }
    std::string result;
    result.reserve(plain.size() + plain.size() / 256 + 16);
    MemorySource in(plain);
    MemorySink out(result);
    writeContainer(in, static_cast<std::int64_t>(plain.size()), out, hash_.data(), kMemoryName, kMemoryName,
                   onBlock);
    return result;
}

std::string Tlzrw1::Decompress(std::string_view container) {
    // Room for typical ratios at once; the stated size alone is not trusted for this.
    constexpr std::size_t kTypicalRatio = 16;
    std::string result;
    if (container.size() >= 8) {
        const auto stated = static_cast<std::int32_t>(
            getLittleEndian(reinterpret_cast<const std::uint8_t*>(container.data()) + 4, 4));
        if (stated > 0) {
            result.reserve(std::min(static_cast<std::size_t>(stated),
                                    container.size() * kTypicalRatio + kLzrw1BlockSize));
        }
    }
    MemorySource in(container);
    MemorySink out(result);
    readContainer(in, out, kMemoryName, kMemoryName, onBlock);
    return result;
}

}  // namespace quintrel
