// Walks the main window's model at random for as long as asked:
//   quillmere_soak [--steps N] [--seed S] [--seeds K]
// runs K walks of N steps (seeds S, S + 1, ...) and prints what they went
// through. Without --seed the first seed is drawn at random.

#include "soak/SoakWalk.h"

#include <chrono>
#include <iostream>
#include <random>
#include <string>

int main(int argc, char** argv) {
    std::uint64_t steps = 1'000'000;
    std::uint64_t seed = std::random_device{}();
    std::uint64_t seeds = 1;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        std::uint64_t* value = option == "--steps"   ? &steps
                               : option == "--seed"  ? &seed
                               : option == "--seeds" ? &seeds
                                                     : nullptr;
        if (value == nullptr || i + 1 == argc ||
            std::string(argv[i + 1]).find_first_not_of("0123456789") != std::string::npos) {
            std::cerr << "usage: quillmere_soak [--steps N] [--seed S] [--seeds K]\n";
            return 2;
        }
        *value = std::stoull(argv[i + 1]);
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::uint64_t total = 0;
    for (std::uint64_t s = seed; s < seed + seeds; ++s) {
        const Clock::time_point walkStart = Clock::now();
        const quillmere::soak::SoakOutcome outcome = quillmere::soak::RunSoak(s, steps);
        const std::chrono::duration<double> took = Clock::now() - walkStart;
        total += outcome.Steps;
        std::cout << "seed " << s << ": " << outcome.Steps << " steps in " << took.count() << " s ("
                  << static_cast<std::uint64_t>(outcome.Steps / took.count()) << " steps/s); "
                  << outcome.Counts.Moves << " moves, " << outcome.Counts.Rebuilds
                  << " re-scans that changed the table, " << outcome.Counts.Refused
                  << " refused events, " << outcome.Counts.Starts << " starts" << std::endl;
        if (!outcome.Failure.empty()) {
            std::cout << "FAILED at " << outcome.Failure;
            return 1;
        }
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    std::cout << "soak: " << total << " steps over " << seeds << " seeds in " << took.count()
              << " s (" << static_cast<std::uint64_t>(total / took.count())
              << " steps/s), every check held\n";
    return 0;
}
