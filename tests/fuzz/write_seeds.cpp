// Writes the oracle's condition and format cases as seed inputs for the two fuzz targets:
// write_seeds ORACLE_DIR CONDITION_SEEDS FORMAT_SEEDS
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

namespace {

void WriteSeed(const std::filesystem::path& folder, const std::string& id, const std::string& bytes) {
  std::ofstream(folder / id, std::ios::binary) << bytes;
}

template <typename Seed>
int WriteSeeds(const std::filesystem::path& cases, const std::filesystem::path& folder, Seed seed) {
  std::filesystem::create_directories(folder);
  std::ifstream in(cases);
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    nlohmann::json oracleCase = nlohmann::json::parse(line);
    WriteSeed(folder, oracleCase["id"].get<std::string>(), seed(oracleCase));
    ++count;
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: write_seeds ORACLE_DIR CONDITION_SEEDS FORMAT_SEEDS\n";
    return 2;
  }
  std::filesystem::path oracle = argv[1];
  int conditions = WriteSeeds(oracle / "conditions.jsonl", argv[2],
                              [](const nlohmann::json& c) { return c["expr"].get<std::string>(); });
  int formats = WriteSeeds(oracle / "format.jsonl", argv[3], [](const nlohmann::json& c) {
    std::string seed = c["text"].is_null() ? "" : c["text"].get<std::string>();
    for (int field = 1; field <= 3; ++field) {
      const auto& value = c["fields"].value(std::to_string(field), nlohmann::json());
      seed += '\x01';
      if (value.is_string()) seed += value.get<std::string>();
    }
    return seed;
  });
  if (conditions == 0 || formats == 0) {
    std::cerr << "write_seeds: no cases under " << oracle << "\n";
    return 1;
  }
  std::cout << "seeds: " << conditions << " conditions, " << formats << " format texts\n";
  return 0;
}
