#include "StreamHolder.h"

#include "ErrorHandling.h"

StreamHolder::StreamHolder(std::unique_ptr<KESTRO::InputStream> stream)
    : type(FILE_READER_TYPE_ID), input(std::move(stream)) {}

StreamHolder::StreamHolder(std::unique_ptr<KESTRO::OutputStream> stream)
    : type(FILE_WRITER_TYPE_ID), output(std::move(stream)) {}

bool StreamHolder::isOpen() const {
    if (input) return input->isOpen();
    return output && output->isOpen();
}

void StreamHolder::close() {
    if (input) input->close();
    if (output) output->close();
}

KESTRO::InputStream& StreamHolder::getInputStream() {
    if (type != FILE_READER_TYPE_ID || !input) invalidTypeId();
    return *input;
}

KESTRO::OutputStream& StreamHolder::getOutputStream() {
    if (type != FILE_WRITER_TYPE_ID || !output) invalidTypeId();
    return *output;
}

void StreamHolder::destruct() {
    input.reset();
    output.reset();
}

void invalidTypeId() {
    throwError(EVMException, "Invalid TYPEID");
}
