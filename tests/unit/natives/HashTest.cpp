// Hash objects: kinds 1, 2 and 3 digest with MD5, SHA-1 and SHA-256, incrementally or at
// once; other kinds give empty digests.
#include "hash/Hash.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace {

std::vector<TUint8> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string hex(const std::vector<TUint8>& digest) {
    std::string text;
    for (const TUint8 byte : digest) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

const char* const kAbc[] = {
    "900150983cd24fb0d6963f7d28e17f72",
    "a9993e364706816aba3e25717850c26c9cd0d89d",
    "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
};

TEST(Hashes, KindsOneToThreeDigestAtOnce) {
    for (TInt32 kind = 1; kind <= 3; ++kind)
        EXPECT_EQ(hex(Hash::digestOf(bytes("abc"), kind)), kAbc[kind - 1]) << "kind " << kind;
    EXPECT_EQ(hex(Hash::digestOf({}, 1)), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Hashes, AddedBytesDigestAsOneRun) {
    for (TInt32 kind = 1; kind <= 3; ++kind) {
        Hash hash(kind);
        EXPECT_EQ(hash.kind(), kind);
        hash.add(bytes("a"));
        hash.add(bytes(""));
        hash.add(bytes("bc"));
        EXPECT_EQ(hex(hash.digest()), kAbc[kind - 1]);
    }
}

TEST(Hashes, MoreBytesMayFollowADigest) {
    Hash hash(2);
    hash.add(bytes("ab"));
    EXPECT_EQ(hash.digest(), Hash::digestOf(bytes("ab"), 2));
    hash.add(bytes("c"));
    EXPECT_EQ(hex(hash.digest()), kAbc[1]);
}

TEST(Hashes, OtherKindsAreKeptButDigestNothing) {
    for (TInt32 kind : {0, 4, -1, 1000}) {
        Hash hash(kind);
        hash.add(bytes("abc"));
        EXPECT_EQ(hash.kind(), kind);
        EXPECT_TRUE(hash.digest().empty());
        EXPECT_TRUE(Hash::digestOf(bytes("abc"), kind).empty());
    }
}

} // namespace
