// OskelPI.h - declarations of the design-database client library OskelPI.
//
// The library reads a design database: snapshots, their Trel configurations,
// a configuration's design, the design's layers and each layer's constraints.
// Every operation returns a Result that is true on success; out-parameters are
// left as they were when a call fails.
//
// Handles (ContainerT, MutableContainerT, IteratorT) share ownership of what
// they refer to: a handle stays usable after CloseOskel and after the OskelPI
// object that produced it is gone. Objects already obtained keep their data;
// reaching a further object (a configuration from a snapshot, a design from a
// configuration) needs the connection to be open.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(OSKEL_BUILDING_LIBRARY)
#define OSKEL_API __declspec(dllexport)
#else
#define OSKEL_API __declspec(dllimport)
#endif
#else
#define OSKEL_API __attribute__((visibility("default")))
#endif

namespace Oskel {

// Outcome of a call: true on success. A default-made Result is a failure.
class OSKEL_API Result
{
public:
	Result() : m_success(false) {}
	explicit Result(bool success) : m_success(success) {}

	static Result Success() { return Result(true); }
	static Result Failure() { return Result(false); }

	bool IsSuccess() const { return m_success; }
	explicit operator bool() const { return m_success; }

private:
	bool m_success;
};

// The library's narrow-text string.
class OSKEL_API String
{
public:
	String() {}
	String(const char* text) : m_text(text ? text : "") {}

	String& operator=(const char* text)
	{
		m_text = text ? text : "";
		return *this;
	}

	const char* c_str() const { return m_text.c_str(); }
	std::size_t GetLength() const { return m_text.size(); }
	bool IsEmpty() const { return m_text.empty(); }

	bool operator==(const String& other) const { return m_text == other.m_text; }
	bool operator!=(const String& other) const { return m_text != other.m_text; }

private:
	std::string m_text;
};

// Parameters of OpenOskel.
struct OSKEL_API ProjectData
{
	String m_databasePath;  // the "keyin.oskel" folder of the design database
	String m_clientLabel;   // names the calling application
};

// Layer kinds. Any int value read from a database is passed on as it is.
enum ELayerType : int
{
	eConductorLayer = 0,  // the only kind that has a metal-layer number
	eDielectricLayer = 1,
	eSolderMaskLayer = 2,
	eSilkscreenLayer = 3,
};

// Value types of a constraint. Any int value read from a database is passed on.
enum EConstraintType : int
{
	eStringConstraint = 0,
	eIntegerConstraint = 1,
	eRealConstraint = 2,
	eLengthConstraint = 3,
};

// Base of every database object: lets a handle share ownership of the object
// it is built from.
class OSKEL_API IOskelObject
{
public:
	virtual ~IOskelObject();

	// Keeps the object alive while the returned owner is held; empty for an
	// object that lives as long as the library.
	virtual std::shared_ptr<const void> ShareOwnership() const = 0;
};

template <class T>
class ContainerT;

// Read-only handle to a database object; empty or sharing ownership of one.
// Dereferencing an empty handle gives the type's detached object, whose every
// call fails.
template <class T>
class ContainerT<const T>
{
public:
	ContainerT() {}
	ContainerT(const T& object) : m_object(object.ShareOwnership(), &object) {}

	ContainerT& operator=(const T& object)
	{
		m_object = std::shared_ptr<const T>(object.ShareOwnership(), &object);
		return *this;
	}

	const T& operator*() const { return m_object ? *m_object : T::Detached(); }
	const T* operator->() const { return &**this; }

	bool IsEmpty() const { return !m_object; }
	explicit operator bool() const { return static_cast<bool>(m_object); }

private:
	std::shared_ptr<const T> m_object;
};

// Writable handle; the system only holds and copies it.
template <class T>
class MutableContainerT
{
public:
	MutableContainerT() {}
	explicit MutableContainerT(std::shared_ptr<T> object) : m_object(std::move(object)) {}

	bool IsEmpty() const { return !m_object; }
	explicit operator bool() const { return static_cast<bool>(m_object); }

private:
	std::shared_ptr<T> m_object;
};

template <class T>
class IteratorT;

// Cursor over a sequence of objects, sharing ownership of the sequence.
// Dereferencing a cursor that stands on nothing gives the detached object.
template <class T>
class IteratorT<const T>
{
public:
	typedef std::vector<ContainerT<const T> > Items;

	IteratorT() : m_position(0) {}
	explicit IteratorT(std::shared_ptr<const Items> items) : m_items(std::move(items)), m_position(0) {}

	Result IsValid() const { return Result(m_items && m_position < m_items->size()); }

	IteratorT& operator++()
	{
		if (IsValid())
			++m_position;
		return *this;
	}

	const T& operator*() const { return IsValid() ? *(*m_items)[m_position] : T::Detached(); }
	const T* operator->() const { return &**this; }

private:
	std::shared_ptr<const Items> m_items;
	std::size_t m_position;
};

class ITrelConstraint;
class ITrelConfig;
class ITrelDesign;
class ITrelLayer;

class OSKEL_API ISnapshot : public IOskelObject
{
public:
	~ISnapshot() override;
	static const ISnapshot& Detached();

	// Fails when the snapshot has no configuration of that name or the
	// connection is closed.
	virtual Result GetTrelConfig(ContainerT<const ITrelConfig>& config, const String& name) const = 0;
};

class OSKEL_API ITrelConfig : public IOskelObject
{
public:
	~ITrelConfig() override;
	static const ITrelConfig& Detached();

	// Fails when the configuration has no design or the connection is closed.
	virtual Result GetTrelDesign(ContainerT<const ITrelDesign>& design) const = 0;
};

class OSKEL_API ITrelDesign : public IOskelObject
{
public:
	~ITrelDesign() override;
	static const ITrelDesign& Detached();

	// The design's layers in their stack order; fails only when they could
	// not be read.
	virtual Result GetIterLayers(IteratorT<const ITrelLayer>& layers) const = 0;
};

class OSKEL_API IObjectTrel : public IOskelObject
{
public:
	~IObjectTrel() override;

	// Fails when the object has no constraint of that name (matched exactly).
	virtual Result GetConstraint(ContainerT<const ITrelConstraint>& constraint, const char* name) const = 0;
};

class OSKEL_API ITrelLayer : public IObjectTrel
{
public:
	~ITrelLayer() override;
	static const ITrelLayer& Detached();

	virtual Result GetType(ELayerType& type) const = 0;
	virtual Result GetMetallicLayerNumber(int& number) const = 0;
	virtual Result GetName(String& name) const = 0;
};

class OSKEL_API ITrelConstraint : public IOskelObject
{
public:
	~ITrelConstraint() override;
	static const ITrelConstraint& Detached();

	virtual Result GetValueByString(String& value, EConstraintType& type) const = 0;
};

class OSKEL_API IBlock : public IOskelObject
{
public:
	~IBlock() override;
};

// Client object: one connection to one design database at a time.
class OSKEL_API OskelPI
{
public:
	OskelPI();
	~OskelPI();  // closes an open connection

	// Opens the design database of project.m_databasePath read-only; an open
	// connection is closed first. Fails when the database is missing, is not
	// a design database, or has a newer format version.
	Result OpenOskel(ProjectData& project);

	// Fails when not open or when no snapshot has that name (matched exactly).
	Result GetSnapshotByName(ContainerT<const ISnapshot>& snapshot, const String& name);

	// Ends the connection; harmless when nothing is open.
	Result CloseOskel();

	OskelPI(const OskelPI&) = delete;
	OskelPI& operator=(const OskelPI&) = delete;

private:
	class Session;
	std::unique_ptr<Session> m_session;
};

}  // namespace Oskel
