// Hash: the algorithms behind the kinds, and the digests.
#include "Hash.h"

#include <QCryptographicHash>

#include <optional>

namespace {

std::optional<QCryptographicHash::Algorithm> algorithmOf(TInt32 kind) {
    switch (kind) {
    case 1: return QCryptographicHash::Md5;
    case 2: return QCryptographicHash::Sha1;
    case 3: return QCryptographicHash::Sha256;
    default: return std::nullopt;
    }
}

QByteArrayView viewOf(std::span<const TUint8> bytes) {
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

std::vector<TUint8> bytesOf(QByteArrayView digest) {
    const auto* bytes = reinterpret_cast<const TUint8*>(digest.data());
    return {bytes, bytes + digest.size()};
}

} // namespace

Hash::Hash(TInt32 aKind) : hashKind(aKind) {
    if (const auto algorithm = algorithmOf(hashKind))
        state = std::make_unique<QCryptographicHash>(*algorithm);
}

Hash::~Hash() = default;

void Hash::add(std::span<const TUint8> bytes) {
    if (state) state->addData(viewOf(bytes));
}

std::vector<TUint8> Hash::digest() const {
    if (!state) return {};
    return bytesOf(state->resultView());
}

std::vector<TUint8> Hash::digestOf(std::span<const TUint8> bytes, TInt32 kind) {
    const auto algorithm = algorithmOf(kind);
    if (!algorithm) return {};
    return bytesOf(QCryptographicHash::hash(viewOf(bytes), *algorithm));
}
