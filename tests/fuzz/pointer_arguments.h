// The pointer arguments of a dispatcher call as a host builds them: for each opcode
// a buffer of exactly the size the interface promises, on the heap, so that the
// address sanitizer sees any access past its end; a string; or a record.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "frame/vst2.h"
#include "tests/fuzz/byte_reader.h"

namespace fuzz {

class PointerArguments {
public:
    // What a text buffer holds before the plug-in writes into it.
    static constexpr unsigned char kTextFill = 'x';

    // The arguments of opcode, taken from the input; value becomes the pointer or the
    // size where the interface makes it one.
    PointerArguments(VstInt32 opcode, ByteReader& in, VstIntPtr& value);
    PointerArguments(const PointerArguments&) = delete;
    PointerArguments& operator=(const PointerArguments&) = delete;

    void* pointer() const noexcept { return pointer_; }
    // Bytes of text the plug-in may write at pointer(); 0 when the opcode is no text getter.
    size_t textBytes() const noexcept { return textBytes_; }
    // Null pointers instead, as a broken host passes them.
    void dropPointers(VstInt32 opcode, VstIntPtr& value) noexcept;

private:
    void* buffer(size_t size, unsigned char fill = 0);
    void* string(ByteReader& in);

    std::vector<std::unique_ptr<unsigned char[]>> buffers_;
    void* pointer_ = nullptr;
    size_t textBytes_ = 0;
};

}  // namespace fuzz
