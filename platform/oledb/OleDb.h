// The OLE DB names the consumer code uses: statuses, type codes, property ids and the structures
// that describe columns, tables and bindings, with their documented values.
#pragma once

#include "kernel/WinTypes.h"

#include <cstddef>
#include <string>

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
    friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;
using IID = GUID;
using LCID = DWORD;

constexpr GUID MakeOleDbGuid(DWORD first) { return {first, 0x2a1c, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}}; }
constexpr GUID MakeOleDbPropSetGuid(DWORD first) { return {first, 0x5cf3, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}}; }

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IDBInitialize = MakeOleDbGuid(0x0c733a8b);
inline constexpr IID IID_IDBProperties = MakeOleDbGuid(0x0c733a8a);
inline constexpr IID IID_IDBCreateSession = MakeOleDbGuid(0x0c733a5d);
inline constexpr IID IID_ICommand = MakeOleDbGuid(0x0c733a63);
inline constexpr IID IID_IRowset = MakeOleDbGuid(0x0c733a7c);
inline constexpr IID IID_IRowsetChange = MakeOleDbGuid(0x0c733a05);
inline constexpr IID IID_IAccessor = MakeOleDbGuid(0x0c733a8c);
inline constexpr IID IID_ITableDefinition = MakeOleDbGuid(0x0c733a86);
inline constexpr IID IID_ITransactionLocal = MakeOleDbGuid(0x0c733a5f);
// The PostgreSQL provider's own interface for the locks a session holds on the server.
inline constexpr IID IID_ISessionLock = {0x6c3b1f53, 0x2e7d, 0x4a91, {0x9b, 0x0e, 0x5d, 0x41, 0x7a, 0x2c, 0x88, 0x13}};
inline constexpr GUID DBPROPSET_DBINIT = MakeOleDbPropSetGuid(0xc8b522bc);
inline constexpr GUID DBPROPSET_ROWSET = MakeOleDbPropSetGuid(0xc8b522be);
inline constexpr GUID DBGUID_DEFAULT = MakeOleDbPropSetGuid(0xc8b521fb);
// The Jet 4.0 provider's class.
inline constexpr CLSID CLSID_JETOLEDB_4_00 = {0xdee35070, 0x506b, 0x11cf, {0xb1, 0xaa, 0x00, 0xaa, 0x00, 0xb8, 0xde, 0x95}};
// The provider over a PostgreSQL server, for a worklist that several instruments share.
inline constexpr CLSID CLSID_POSTGRESQL_OLEDB = {0x6c3b1f52, 0x2e7d, 0x4a91, {0x9b, 0x0e, 0x5d, 0x41, 0x7a, 0x2c, 0x88, 0x13}};

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);

constexpr HRESULT DB_E_BADROWHANDLE = static_cast<HRESULT>(0x80040E04);
constexpr HRESULT DB_E_BADBINDINFO = static_cast<HRESULT>(0x80040E08);
constexpr HRESULT DB_SEC_E_PERMISSIONDENIED = static_cast<HRESULT>(0x80040E09);
constexpr HRESULT DB_E_NOCOMMAND = static_cast<HRESULT>(0x80040E0C);
constexpr HRESULT DB_E_BADCOLUMNID = static_cast<HRESULT>(0x80040E11);
constexpr HRESULT DB_E_ERRORSINCOMMAND = static_cast<HRESULT>(0x80040E14);
constexpr HRESULT DB_E_ERRORSOCCURRED = static_cast<HRESULT>(0x80040E21);
constexpr HRESULT DB_E_DELETEDROW = static_cast<HRESULT>(0x80040E23);
constexpr HRESULT DB_E_NOTABLE = static_cast<HRESULT>(0x80040E37);
constexpr HRESULT DB_E_BADRECORDNUM = static_cast<HRESULT>(0x80040E42);
constexpr HRESULT DB_E_BADTABLEID = static_cast<HRESULT>(0x80040E3C);
constexpr HRESULT DB_E_BADTYPE = static_cast<HRESULT>(0x80040E3D);
constexpr HRESULT DB_E_DUPLICATECOLUMNID = static_cast<HRESULT>(0x80040E3E);
constexpr HRESULT DB_E_DUPLICATETABLEID = static_cast<HRESULT>(0x80040E3F);
constexpr HRESULT DB_E_TABLEINUSE = static_cast<HRESULT>(0x80040E40);
constexpr HRESULT DB_SEC_E_AUTH_FAILED = static_cast<HRESULT>(0x80040E4D);
constexpr HRESULT DB_E_ALREADYINITIALIZED = static_cast<HRESULT>(0x80040E52);
constexpr HRESULT DB_E_BADLOOKUPID = static_cast<HRESULT>(0x80040E59);
constexpr HRESULT DB_E_NOTINITIALIZED = static_cast<HRESULT>(0x80040E79);
// The data source cannot be reached: a server that is down or a network that is cut.
constexpr HRESULT DB_E_CANNOTCONNECT = static_cast<HRESULT>(0x80040E96);
constexpr HRESULT DB_S_ENDOFROWSET = 0x00040EC6;
constexpr HRESULT XACT_E_COMMITFAILED = static_cast<HRESULT>(0x8004D002);
constexpr HRESULT XACT_E_NOTRANSACTION = static_cast<HRESULT>(0x8004D00E);
constexpr HRESULT XACT_E_XTIONEXISTS = static_cast<HRESULT>(0x8004D013);

using ISOLEVEL = LONG;
constexpr ISOLEVEL ISOLATIONLEVEL_READCOMMITTED = 0x1000;
constexpr ISOLEVEL ISOLATIONLEVEL_REPEATABLEREAD = 0x10000;

using DBTYPE = WORD;
constexpr DBTYPE DBTYPE_I4 = 3;
constexpr DBTYPE DBTYPE_WSTR = 130;

using DBPROPID = DWORD;
using DBPROPOPTIONS = DWORD;
using DBPROPSTATUS = DWORD;
constexpr DBPROPOPTIONS DBPROPOPTIONS_REQUIRED = 0;
constexpr DBPROPOPTIONS DBPROPOPTIONS_OPTIONAL = 1;
constexpr DBPROPSTATUS DBPROPSTATUS_OK = 0;
constexpr DBPROPSTATUS DBPROPSTATUS_BADVALUE = 2;
constexpr DBPROPSTATUS DBPROPSTATUS_NOTSUPPORTED = 4;

constexpr DBPROPID DBPROP_AUTH_CACHE_AUTHINFO = 0x05;
constexpr DBPROPID DBPROP_AUTH_ENCRYPT_PASSWORD = 0x06;
constexpr DBPROPID DBPROP_AUTH_MASK_PASSWORD = 0x08;
constexpr DBPROPID DBPROP_AUTH_PASSWORD = 0x09;
constexpr DBPROPID DBPROP_AUTH_PERSIST_ENCRYPTED = 0x0A;
constexpr DBPROPID DBPROP_AUTH_PERSIST_SENSITIVE_AUTHINFO = 0x0B;
constexpr DBPROPID DBPROP_AUTH_USERID = 0x0C;
constexpr DBPROPID DBPROP_INIT_DATASOURCE = 0x3B;
constexpr DBPROPID DBPROP_INIT_MODE = 0x3F;
constexpr DBPROPID DBPROP_INIT_PROMPT = 0x40;
constexpr DBPROPID DBPROP_INIT_PROVIDERSTRING = 0xA0;
constexpr DBPROPID DBPROP_INIT_LCID = 0xBA;
constexpr DBPROPID DBPROP_UPDATABILITY = 0x75;
constexpr DBPROPID DBPROP_IRowsetChange = 0x7F;

constexpr LONG DB_MODE_READ = 0x01;
constexpr LONG DB_MODE_SHARE_DENY_NONE = 0x10;
constexpr SHORT DBPROMPT_NOPROMPT = 4;
constexpr LONG DBPROPVAL_UP_CHANGE = 1;
constexpr LONG DBPROPVAL_UP_DELETE = 2;
constexpr LONG DBPROPVAL_UP_INSERT = 4;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// A column or table identifier; the consumer names things by their plain names.
enum DBKIND : DWORD { DBKIND_GUID_NAME = 0, DBKIND_GUID_PROPID = 1, DBKIND_NAME = 2 };
struct DBID {
    DBKIND eKind = DBKIND_NAME;
    std::wstring pwszName;
};

// One column of a table to create.
struct DBCOLUMNDESC {
    std::wstring pwszTypeName;
    DBID dbcid;
    DBTYPE wType = 0;
    ULONG ulColumnSize = 0;
};

// Where one result column lives in the consumer's buffer: by ordinal (from 1) or, when ordinal is
// 0, by the column's name. Only the value part is bound.
struct DBBINDING {
    ULONG iOrdinal;
    const wchar_t* pwszName;
    std::size_t obValue;
    std::size_t cbMaxLen;
    DBTYPE wType;
};
