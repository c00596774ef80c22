// Hash: an incremental digest of the bytes added to it, as the application's Hash objects
// hold it. The kind, given at creation, names the algorithm: 1 MD5, 2 SHA-1, 3 SHA-256.
// Any other kind is kept as it is but computes nothing: its digests are empty.
#pragma once

#include "GCObject.h"
#include "Types.h"

#include <memory>
#include <span>
#include <vector>

// Qt stays out of this header: its keyword macros would clash with the machine's own
// headers wherever they are included after it.
class QCryptographicHash;

class Hash : public GCObject {
public:
    explicit Hash(TInt32 aKind);
    ~Hash() override;
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;

    TInt32 kind() const { return hashKind; }
    void add(std::span<const TUint8> bytes);
    // The digest of everything added so far; more bytes may be added after it.
    std::vector<TUint8> digest() const;

    // The digest of the bytes by the algorithm of the kind, at once.
    static std::vector<TUint8> digestOf(std::span<const TUint8> bytes, TInt32 kind);

private:
    TInt32 hashKind;
    std::unique_ptr<QCryptographicHash> state; // null for a kind without an algorithm
};
