// Late binding: members reached by name (any case), by slot and as the default member, with VBA's
// errors for what does not fit; classes created by ProgID only while their library is registered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"

using namespace zelt;

namespace {

class Cachorro : public Dispatchable {
public:
    std::string nome;
    const DispatchTable& table() const override {
        static const DispatchTable t("_Cachorro", {
            Member{"Nome", InvokeKind::PropertyPut, {{"Nome", VarType::String}}, VarType::Empty,
                   [](Object& o, std::span<Variant> a) { static_cast<Cachorro&>(o).nome = a[0].toText(); return Variant(); }},
            Member{"Nome", InvokeKind::PropertyGet, {}, VarType::String,
                   [](Object& o, std::span<Variant>) { return Variant(static_cast<Cachorro&>(o).nome); }, true},
            Member{"Latir", InvokeKind::Method, {{"vezes", VarType::I2}, {"eco", VarType::String, true, true}}, VarType::I2,
                   [](Object&, std::span<Variant> a) {
                       a[1] = Variant(std::string(static_cast<size_t>(a[0].toInt16()), 'a'));
                       return Variant(a[0].toInt16());
                   }},
        });
        return t;
    }
};

int32_t errorOf(auto&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(Dispatch, ByNameAndBySlotReachTheSameMembers) {
    auto c = make<Cachorro>();
    putProperty(*c, "nome", Variant("Rex"));
    EXPECT_EQ(getProperty(*c, "NOME").toText(), "Rex");
    EXPECT_EQ(callDefault(*c, {}).toText(), "Rex");
    Variant args[] = {Variant("Bidu")};
    c->table().invokeSlot(*c, 0, args);
    EXPECT_EQ(c->nome, "Bidu");
    std::vector<Variant> latir{Variant(3.0), Variant()};
    EXPECT_EQ(callByNameRef(*c, "Latir", latir).toInt16(), 3);
    EXPECT_EQ(latir[1].toText(), "aaa");
    EXPECT_EQ(callByName(*c, "Latir", {Variant("2")}).toInt16(), 2);  // the optional by-reference argument omitted
    EXPECT_EQ(errorOf([&] { c->GetIDsOfNames("Miar"); }), err::NoSuchMember);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {}); }), err::ArgumentNotOptional);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {Variant(1.0), Variant(), Variant()}); }), err::WrongArgumentCount);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {Variant(40000.0)}); }), err::Overflow);
}

TEST(Registry, RegisterCreateUnregister) {
    const auto path = std::filesystem::temp_directory_path() / ("zelt-registry-" + std::to_string(::getpid()) + ".json");
    setenv("ZELT_REGISTRY", path.c_str(), 1);
    const long before = Object::liveObjects();
    registry::offerClass({"Teste.Cachorro", "{00000000-0000-0000-0000-00000000C0DE}", "Teste", "Apartment",
                          [] { return Ref<Object>(make<Cachorro>()); }});
    EXPECT_EQ(errorOf([] { CreateObject("Teste.Cachorro"); }), err::CannotCreateObject);
    registry::registerLibrary("Teste");
    {
        auto c = CreateObject("Teste.Cachorro");
        EXPECT_EQ(Object::liveObjects(), before + 1);
    }
    EXPECT_EQ(Object::liveObjects(), before);
    registry::unregisterLibrary("Teste");
    EXPECT_EQ(errorOf([] { CreateObject("Teste.Cachorro"); }), err::CannotCreateObject);
    std::filesystem::remove(path);
}

}  // namespace
