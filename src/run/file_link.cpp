// A file of a run, open behind a byte source or sink.
#include "run/file_link.h"

namespace kelpway {

ByteSource file_source(FileLink& link) {
    const ReadBytes read = [](void* context, char* bytes, std::size_t size) {
        const auto& file = *static_cast<FileLink*>(context);
        return file.files->read(file.handle, bytes, size);
    };
    return {read, &link};
}

ByteSink temporary_sink(FileLink& link) {
    const WriteBytes write = [](void* context, const char* bytes, std::size_t size) {
        const auto& file = *static_cast<FileLink*>(context);
        return file.files->write(file.handle, bytes, size);
    };
    const CloseSink keep_open = [](void*) { return true; };
    return {write, keep_open, &link};
}

}  // namespace kelpway
