// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/screens.h"

#include <cstddef>
#include <tuple>
#include <type_traits>

#include "registry/challenge_list.h"
#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"
#include "platform/clock.h"

namespace numora {

namespace {

// The row's window over an engine of the row's own kind (a window takes no other), with the
// roles and caption the window brings, loaded for the pupil.
template <class Row>
std::unique_ptr<ChallengeWindow> Assemble(typename Row::Engine& engine, const Pupil& pupil,
                                          QWidget* parent) {
  using Window = typename Row::Window;
  static_assert(std::is_constructible_v<Window, typename Row::Engine&, QWidget*>,
                "a window is built over its own engine");
  auto window = std::make_unique<Window>(engine, parent);
  window->Open(pupil, Window::kCaption, Window::kRoles);
  return window;
}

template <class Row>
void Show(const Pupil& pupil, QWidget* parent) {
  if constexpr (Row::kLife == EngineLife::Program) {
    static typename Row::Engine engine(platform::AppClock());
    Assemble<Row>(engine, pupil, parent)->exec();
  } else {
    typename Row::Engine engine(platform::AppClock());
    Assemble<Row>(engine, pupil, parent)->exec();
  }
}

template <class... Rows>
constexpr ChallengeScreens OpeningsOf(std::tuple<Rows...>) {
  return {&Show<Rows>...};
}

// The openings stand in the order of ChallengeScreen, as ScreenOf looks them up.
template <std::size_t... I>
constexpr bool InScreenOrder(std::index_sequence<I...>) {
  return ((static_cast<std::size_t>(std::tuple_element_t<I, Challenges>::kScreen) == I) && ...);
}
static_assert(InScreenOrder(std::make_index_sequence<std::tuple_size_v<Challenges>>()));

}  // namespace

const ChallengeScreens kChallengeScreens = OpeningsOf(Challenges{});

std::unique_ptr<ChallengeWindow> MakeWindow(ChallengeEngine& engine, const Pupil& pupil,
                                            QWidget* parent) {
  std::unique_ptr<ChallengeWindow> window;
  ForChallenge(RuleFor(pupil.GameLevel).Screen, [&]<class Row>(Row) {
    if (auto* own = dynamic_cast<typename Row::Engine*>(&engine)) {
      window = Assemble<Row>(*own, pupil, parent);
    }
  });
  return window;
}

}  // namespace numora
