#include "core/parallel/ordered_run.h"

#include <algorithm>

namespace quizloom::parallel {

unsigned workerCount(unsigned asked, std::size_t count) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = asked == 0 ? cores : asked;
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min(wanted, count)));
}

} // namespace quizloom::parallel
