// The interactor list and the walk of the dispatch callbacks: order, moves, removal and the
// propagate flag.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interact/glut_dispatch.h"
#include "interact/interactor_list.h"

namespace {

std::string calls;  // every call of a recording interactor, in order

// Records its name and the event's arguments at every event.
class Recorder : public Interactor {
 public:
  explicit Recorder(char name) : name_(name) {}

  void display() override { record("display"); }
  void keyboard(unsigned char key, int x, int y) override {
    record("keyboard " + std::string(1, char(key)) + args(x, y));
    if (stop_keys) propagate = false;
  }
  void menu_status(int status, int x, int y) override { record("menu" + args(status, x, y)); }
  void motion(int x, int y) override { record("motion" + args(x, y)); }
  void mouse(int button, int state, int x, int y) override {
    record("mouse" + args(button, state, x, y));
  }
  void passive_motion(int x, int y) override { record("passive" + args(x, y)); }
  void reshape(int width, int height) override { record("reshape" + args(width, height)); }
  void special(int key, int x, int y) override { record("special" + args(key, x, y)); }
  void visibility(int state) override { record("visibility" + args(state)); }

  bool stop_keys = false;

 private:
  template <typename... Ints>
  static std::string args(Ints... values) {
    return ((" " + std::to_string(values)) + ...);
  }
  void record(const std::string& what) { calls += std::string(1, name_) + ":" + what + ";"; }

  char name_;
};

Recorder a('a'), b('b'), c('c');

}  // namespace

TEST(InteractorList, AnEmptyListCallsNothing) {
  dispatch_display();
  dispatch_keyboard('k', 1, 2);
  dispatch_mouse(0, 0, 1, 2);
  EXPECT_TRUE(interactors.empty());
  EXPECT_EQ(calls, "");
}

TEST(InteractorList, AppendedInteractorsAreCalledInOrderOfAdding) {
  add_interactor(&a, true);
  add_interactor(&b, true);
  add_interactor(&c, true);
  dispatch_reshape(800, 600);
  EXPECT_EQ(calls, "a:reshape 800 600;b:reshape 800 600;c:reshape 800 600;");
}

TEST(InteractorList, PrependedInteractorsAreCalledInReverseOrder) {
  add_interactor(&a, false);
  add_interactor(&b, false);
  add_interactor(&c, false);
  dispatch_motion(3, 4);
  EXPECT_EQ(calls, "c:motion 3 4;b:motion 3 4;a:motion 3 4;");
}

TEST(InteractorList, AddingAListedInteractorMovesIt) {
  add_interactor(&a, true);
  add_interactor(&b, true);
  add_interactor(&a, false);
  EXPECT_EQ(interactors, (InteractorList{&a, &b}));
  add_interactor(&a, true);
  EXPECT_EQ(interactors, (InteractorList{&b, &a}));
  add_interactor(&a, true);
  EXPECT_EQ(interactors, (InteractorList{&b, &a}));
}

TEST(InteractorList, RemovingUnlistsOnlyThatInteractor) {
  add_interactor(&a, true);
  add_interactor(&b, true);
  remove_interactor(&c);
  EXPECT_EQ(interactors, (InteractorList{&a, &b}));
  remove_interactor(&a);
  EXPECT_EQ(interactors, (InteractorList{&b}));
  dispatch_visibility(1);
  EXPECT_EQ(calls, "b:visibility 1;");
}

TEST(InteractorList, EveryDispatchCallbackPassesItsArgumentsOn) {
  add_interactor(&a, true);
  dispatch_display();
  dispatch_keyboard('q', 5, 6);
  dispatch_menu_status(1, 7, 8);
  dispatch_motion(9, 10);
  dispatch_mouse(2, 1, 11, 12);
  dispatch_passive_motion(13, 14);
  dispatch_reshape(15, 16);
  dispatch_special(17, 18, 19);
  dispatch_visibility(0);
  EXPECT_EQ(calls,
            "a:display;a:keyboard q 5 6;a:menu 1 7 8;a:motion 9 10;a:mouse 2 1 11 12;"
            "a:passive 13 14;a:reshape 15 16;a:special 17 18 19;a:visibility 0;");
}

TEST(InteractorList, ClearingPropagateStopsOnlyTheCurrentEvent) {
  b.stop_keys = true;
  add_interactor(&a, true);
  add_interactor(&b, true);
  add_interactor(&c, true);
  dispatch_keyboard('x', 0, 0);
  EXPECT_EQ(calls, "a:keyboard x 0 0;b:keyboard x 0 0;");
  calls.clear();
  dispatch_special(1, 0, 0);
  EXPECT_EQ(calls, "a:special 1 0 0;b:special 1 0 0;c:special 1 0 0;");
}

// A handler that changes the list: each listed interactor gets the event exactly once, an
// interactor that removes itself goes on safely, and one added mid-walk behind the current
// one gets the event in its turn.
class Mutator : public Recorder {
 public:
  explicit Mutator(char name) : Recorder(name) {}
  std::function<void()> on_display;
  void display() override {
    Recorder::display();
    if (on_display) on_display();
  }
};

TEST(InteractorList, HandlersMayAddAndRemoveInteractorsDuringTheWalk) {
  struct Case {
    const char* what;
    std::function<void(Mutator&)> change;
    const char* calls;
  };
  const std::vector<Case> cases = {
      {"removes the entry before it", [](Mutator&) { remove_interactor(&a); }, "a;m;c;"},
      {"adds one at the front", [](Mutator& m) { add_interactor(&m, false); }, "a;m;c;"},
      {"removes itself", [](Mutator& m) { remove_interactor(&m); }, "a;m;c;"},
      {"adds one behind", [](Mutator&) { add_interactor(&b, true); }, "a;m;c;b;"},
      {"moves an earlier one behind", [](Mutator&) { add_interactor(&a, true); }, "a;m;c;"},
  };
  for (const Case& test : cases) {
    Mutator m('m');
    m.on_display = [&m, &test] { test.change(m); };
    interactors = {&a, &m, &c};
    calls.clear();
    dispatch_display();
    std::string names;  // the interactors' names alone
    for (std::size_t i = 0; i < calls.size(); i = calls.find(';', i) + 1)
      names += calls.substr(i, 1) + ";";
    EXPECT_EQ(names, test.calls) << test.what;
    interactors.clear();
  }
}
