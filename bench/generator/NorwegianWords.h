#pragma once

#include <cstdint>

// Word pools and a small deterministic random source for generated data.
namespace words {

extern const char* const kFirstNames[];
extern const int kFirstNameCount;
extern const char* const kSurnames[];
extern const int kSurnameCount;
extern const char* const kStreets[];
extern const int kStreetCount;
struct Place {
    const char* code;
    const char* city;
};
extern const Place kPlaces[];
extern const int kPlaceCount;
extern const char* const kCompanyWords[];
extern const int kCompanyWordCount;
extern const char* const kCompanyForms[];
extern const int kCompanyFormCount;
extern const char* const kProductWords[];
extern const int kProductWordCount;
extern const char* const kProductMaterials[];
extern const int kProductMaterialCount;
extern const char* const kSubjects[];
extern const int kSubjectCount;

// xorshift64*: fast, and the same seed always gives the same sequence.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 2685821657736338717ull;
    }
    // 0 .. n-1
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    // lo .. hi inclusive
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    template <typename T>
    T Pick(const T* pool, int count) { return pool[Below(count)]; }

private:
    std::uint64_t state_;
};

}  // namespace words
