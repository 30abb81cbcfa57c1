#pragma once

#include <cstdint>
#include <span>
#include <string>

// The fixed vocabulary of generated data and the seeded random source that draws from it.
namespace benchdata {

struct Town {
  const char* name;
  const char* province;
  const char* cap;
};

struct Unit {
  const char* code;
  const char* description;
};

struct VatCode {
  const char* code;
  const char* description;
  double rate;
  bool exempt;
};

struct OtherCost {
  int category;  // l01 of a "catcos" row of the template
  const char* description;
};

std::span<const char* const> surnames();
std::span<const char* const> givenNames();
std::span<const char* const> companyForms();  // "Costruzioni", "Impianti"...
std::span<const char* const> streets();
std::span<const Town> towns();
std::span<const Unit> units();
std::span<const char* const> categories();
std::span<const VatCode> vatCodes();
std::span<const char* const> articleNouns();
std::span<const char* const> articleDetails();
std::span<const char* const> jobKinds();
std::span<const char* const> labourTasks();
std::span<const OtherCost> otherCosts();
std::span<const char* const> activityNames();

// splitmix64: small, fast and the same on every platform and compiler.
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t next();
  int between(int low, int high);  // inclusive
  double between(double low, double high);
  bool chance(double probability);
  template <class T>
  const T& pick(std::span<const T> items) {
    return items[std::size_t(between(0, int(items.size()) - 1))];
  }

 private:
  std::uint64_t m_state;
};

}  // namespace benchdata
