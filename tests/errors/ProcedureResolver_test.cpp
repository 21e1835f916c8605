#include "errors/ProcedureResolver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "errors/LibraryErrors.h"
#include "support/FakeMessageServices.h"
#include "support/MessageText.h"

namespace {

using tralvex::ProcedureResolver;
using tralvex::ResolverCaches;
using tralvex::test::ErrorContext;

int libraryToken, programToken;

class FakeModules : public tralvex::ModuleSystem {
 public:
  std::map<std::string, void*> loadable;    // path -> module
  std::map<std::string, void*> running;     // name with ".EXE" -> module
  std::map<std::string, void*> procedures;  // procedure name -> address
  std::string ownFile = "/opt/app/lib/libtralvex.so";
  bool badCode = false;
  std::vector<std::string> loads;
  int procedureLookups = 0;

  void* LoadLibraryBeside(const char* path) override {
    loads.push_back(path);
    auto found = loadable.find(path);
    return found != loadable.end() ? found->second : nullptr;
  }
  void* FindLoadedModule(const char* name) override {
    auto found = running.find(name);
    return found != running.end() ? found->second : nullptr;
  }
  void* FindProcedure(void*, const char* name) override {
    ++procedureLookups;
    auto found = procedures.find(name);
    return found != procedures.end() ? found->second : nullptr;
  }
  bool IsBadCodeAddress(void*) override { return badCode; }
  std::size_t LibraryFileName(char* buffer, std::size_t size) override {
    if (ownFile.empty() || ownFile.size() + 1 > size) return 0;
    ownFile.copy(buffer, ownFile.size());
    buffer[ownFile.size()] = '\0';
    return ownFile.size();
  }
};

class ProcedureResolverTest : public ::testing::Test {
 protected:
  ResolverCaches caches;
  FakeModules modules;
  ProcedureResolver resolver{caches, modules};
};

TEST_F(ProcedureResolverTest, LoadsFromTheOwnDirectoryAndCaches) {
  modules.loadable["/opt/app/lib/Other.dll"] = &libraryToken;
  modules.procedures["Qel_GetAllErrors"] = &programToken;
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", "Other.dll"), &programToken);
  EXPECT_STREQ(resolver.GetOwnDirectory(), "/opt/app/lib/");
  // The second call neither loads nor looks the procedure up again.
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", "Other.dll"), &programToken);
  EXPECT_EQ(modules.loads.size(), 1u);
  EXPECT_EQ(modules.procedureLookups, 1);
  EXPECT_EQ(resolver.HasNoErrors(), 1);
}

TEST_F(ProcedureResolverTest, ANameWithoutExtensionMayBeTheProgram) {
  modules.running["HOST.EXE"] = &programToken;
  modules.running["host.EXE"] = &programToken;
  EXPECT_EQ(resolver.GetLibraryModule("host"), &programToken);
  EXPECT_TRUE(modules.loads.empty());
  // Not the program: loaded from the own directory after all.
  resolver.GetLibraryModule("plugin");
  ASSERT_EQ(modules.loads.size(), 1u);
  EXPECT_EQ(modules.loads[0], "/opt/app/lib/plugin");
}

TEST_F(ProcedureResolverTest, RootedNamesAreLoadedAsTheyAre) {
  resolver.GetLibraryModule("C:\\TOOLS\\ABC.DLL");
  resolver.GetLibraryModule("/usr/lib/abc.so");
  resolver.GetLibraryModule("sub/abc.so");
  modules.ownFile.clear();
  caches.ownDirectory.clear();
  resolver.GetLibraryModule("alone.so");
  std::vector<std::string> expected = {"C:\\TOOLS\\ABC.DLL", "/usr/lib/abc.so",
                                       "/opt/app/lib/sub/abc.so", "alone.so"};
  EXPECT_EQ(modules.loads, expected);
}

TEST_F(ProcedureResolverTest, FailuresAreRecordedWithWhatTheyConcern) {
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", "Missing.dll"), nullptr);
  EXPECT_EQ(ErrorContext(resolver, 0x152), "/opt/app/lib/Missing.dll");
  modules.loadable["/opt/app/lib/Plain.dll"] = &libraryToken;
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", "Plain.dll"), nullptr);
  EXPECT_EQ(resolver.GetErrorCount(), 1u);
  EXPECT_EQ(ErrorContext(resolver, 0x150), "Qel_GetAllErrors");
  modules.procedures["Qel_GetAllErrors"] = &programToken;
  modules.badCode = true;
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", "Plain.dll"), nullptr);
  EXPECT_EQ(ErrorContext(resolver, 0x151), "Qel_GetAllErrors");
}

TEST_F(ProcedureResolverTest, NamesBeyondTheLimitsAreRefusedWithoutLoading) {
  // 16 + 1 + 30 characters fit the key; 31 do not.
  std::string thirty(27, 'm');
  thirty += ".so";
  resolver.GetLibraryProcedure("Qel_GetAllErrors", thirty.c_str());
  EXPECT_EQ(modules.loads.size(), 1u);
  resolver.GetLibraryProcedure("Qel_GetAllErrors", ("m" + thirty).c_str());
  EXPECT_EQ(modules.loads.size(), 1u);
  EXPECT_EQ(ErrorContext(resolver, 0x152), "m" + thirty);
  // A path of 261 characters.
  modules.ownFile = "/" + std::string(240, 'd') + "/libtralvex.so";
  caches.ownDirectory.clear();
  EXPECT_EQ(resolver.GetLibraryModule(std::string(19, 'x').append(".so").c_str()), nullptr);
  EXPECT_EQ(modules.loads.size(), 1u);
  EXPECT_EQ(resolver.GetLibraryProcedure(nullptr, "a.so"), nullptr);
  EXPECT_EQ(resolver.GetLibraryProcedure("Qel_GetAllErrors", nullptr), nullptr);
}

// A library of the family, its behaviour chosen by the selector.
uint32_t TRALVEX_CALL FakeGetAllErrors(unsigned* count, int* codes, const char** texts,
                                       uint32_t selector) {
  if (selector == 1) return 0x10000;  // 0 in the low 16 bits
  unsigned stored = 0;
  for (; stored < *count && stored < 3; ++stored) {
    codes[stored] = 0x100 + static_cast<int>(stored);
    texts[stored] = stored == 1 ? nullptr : "ctx";
  }
  if (selector == 2) {
    for (; stored < *count; ++stored) codes[stored] = 0x100 + static_cast<int>(stored);
    stored = 1000;
  }
  *count = stored;
  return 1;
}

class LibraryErrorsTest : public ProcedureResolverTest {
 protected:
  void SetUp() override {
    modules.loadable["/opt/app/lib/Family.dll"] = &libraryToken;
    modules.procedures["Qel_GetAllErrors"] = reinterpret_cast<void*>(&FakeGetAllErrors);
    services.catalogues[0][0x101] = "Second";
  }
  int Show(uint32_t selector, const char* module = "Family.dll") {
    return tralvex::ShowLibraryErrors(services, resolver, "act", module, selector, 0x4, 0);
  }
  tralvex::testing::FakeMessageServices services;
};

TEST_F(LibraryErrorsTest, TheLibrarysErrorsInOneBox) {
  services.boxResult = 7;
  EXPECT_EQ(Show(0), 7);
  EXPECT_EQ(services.LastBox().text,
            "ACTION\t:  act\n\n0100\t:  Unknown error (ctx)\n0101\t:  Second"
            "\n0102\t:  Unknown error (ctx)");
  EXPECT_EQ(services.LastBox().style, 0x4u);
}

TEST_F(LibraryErrorsTest, ACountAboveTheCapacityShowsTen) {
  Show(2);
  const std::string& text = services.LastBox().text;
  EXPECT_NE(text.find("\n0109\t:  "), std::string::npos);
  EXPECT_EQ(text.find("\n010A\t:  "), std::string::npos);
}

TEST_F(LibraryErrorsTest, AFailingExportAndAMissingOne) {
  services.catalogues[0][0x154] = "The library's errors cannot be read";
  EXPECT_EQ(Show(1), 1);
  EXPECT_EQ(services.LastBox().text,
            "ACTION\t:  act\n\n0154\t:  The library's errors cannot be read (Family.dll)");
  EXPECT_EQ(services.LastBox().style, 0x12030u);
  modules.procedures.clear();
  EXPECT_EQ(Show(0, "Other.dll"), -1);
  EXPECT_EQ(services.LastBox().text,
            "ACTION\t:  act\n\n0152\t:  Unknown error (/opt/app/lib/Other.dll)");
  EXPECT_EQ(services.LastBox().style, 0x12030u);
}

}  // namespace
