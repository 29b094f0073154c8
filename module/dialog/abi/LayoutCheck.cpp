// The binary layout of CImportLayoutTemplateDlg, checked while compiling
// against the layout recorded for this platform (<platform>/layout.h).
//
// A host compiled against the header allocates the object itself, so a data
// member that moves or changes its type, a class that grows or shrinks, or an
// override that is lost breaks every host built before the change. The build
// stops here, and the compiler's message names the member with its recorded
// and present offset, e.g.
//   In instantiation of 'struct ilt_abi::OffsetOf<ilt_abi::member::m_design, 272, 280>'
// The order of the virtual-function table is compared by CheckVtable.cmake
// with the class dump that the compiler writes for this file.
//
// The file is compiled as a host sees the header: the class imported.

#include "dialog/ImportLayoutTemplateDlg.h"

#include <cstddef>
#include <type_traits>

// offsetof on a class with virtual functions is only conditionally supported;
// GCC and Clang give the offset for single, non-virtual inheritance, which is
// all this class has.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace ilt_abi {

// One tag type per recorded member, so that a failure names the member.
namespace member {
#define ILT_ABI_SIZE(size, alignment)
#define ILT_ABI_MEMBER(name, offset, ...) struct name;
#define ILT_ABI_OVERRIDE(name, ...)
#include ILT_ABI_RECORDED_LAYOUT
#undef ILT_ABI_SIZE
#undef ILT_ABI_MEMBER
#undef ILT_ABI_OVERRIDE
}  // namespace member

template <std::size_t Recorded, std::size_t Now>
struct SizeOf
{
	static_assert(Recorded == Now, "sizeof(CImportLayoutTemplateDlg) is not the recorded size: SizeOf<recorded, now>");
	static constexpr bool checked = true;
};

template <std::size_t Recorded, std::size_t Now>
struct AlignOf
{
	static_assert(Recorded == Now,
	              "alignof(CImportLayoutTemplateDlg) is not the recorded alignment: AlignOf<recorded, now>");
	static constexpr bool checked = true;
};

template <class Member, std::size_t Recorded, std::size_t Now>
struct OffsetOf
{
	static_assert(Recorded == Now,
	              "a data member of CImportLayoutTemplateDlg moved: OffsetOf<member, recorded offset, offset now>");
	static constexpr bool checked = true;
};

// Derived only to reach the protected members; it adds nothing, so every
// offset is the dialog's own.
struct Probe : CImportLayoutTemplateDlg
{
	static void Check();
};

void Probe::Check()
{
#define ILT_ABI_SIZE(size, alignment) \
	static_assert(SizeOf<size, sizeof(CImportLayoutTemplateDlg)>::checked); \
	static_assert(AlignOf<alignment, alignof(CImportLayoutTemplateDlg)>::checked);
#define ILT_ABI_MEMBER(name, offset, ...) \
	static_assert(std::is_same<decltype(Probe::name), __VA_ARGS__>::value, \
	              "CImportLayoutTemplateDlg::" #name " is no longer of the recorded type " #__VA_ARGS__); \
	static_assert(OffsetOf<member::name, offset, offsetof(Probe, name)>::checked);
// The class itself declares the override (a lost one leaves the base's
// function in the slot) with the recorded signature (another one would be a
// new virtual function).
#define ILT_ABI_OVERRIDE(name, ...) \
	static_assert(std::is_same<decltype(&Probe::name), __VA_ARGS__>::value, \
	              "CImportLayoutTemplateDlg no longer overrides " #name " as recorded: " #__VA_ARGS__);
#include ILT_ABI_RECORDED_LAYOUT
#undef ILT_ABI_SIZE
#undef ILT_ABI_MEMBER
#undef ILT_ABI_OVERRIDE

	// Polymorphic with a virtual destructor: a host may delete it through CObject*.
	static_assert(std::has_virtual_destructor<CImportLayoutTemplateDlg>::value,
	              "the destructor of CImportLayoutTemplateDlg is no longer virtual");
	static_assert(std::is_base_of<CDialog, CImportLayoutTemplateDlg>::value,
	              "CImportLayoutTemplateDlg no longer derives from CDialog");
}

}  // namespace ilt_abi
