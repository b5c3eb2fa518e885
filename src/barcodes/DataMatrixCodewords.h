#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct DataMatrixEncodeResult {
    enum Status {
        Encoded,
        TooLong, // the data does not fit this capacity; a larger symbol may hold it
        Refused  // the encoding string or a character cannot be encoded at all; see message
    };
    Status status = Refused;
    std::vector<uint8_t> codewords; // exactly capacity data codewords, padded, when encoded
    int used = 0;                   // codewords before the padding
    std::string message;
};

// Writes the source as data codewords following the encoding string (one scheme letter per
// byte, "ACTXEB" in either case) and pads them to the capacity. Every scheme is left by the
// rules for the end of the data, so nothing pending is lost and every symbol decodes.
DataMatrixEncodeResult ecc200encode(int capacity, std::string_view source, std::string_view encoding);
