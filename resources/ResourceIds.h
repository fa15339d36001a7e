// The numbers of the module's resources: templates, menus, bitmaps, commands and controls.
#pragma once

constexpr int IDR_COMMAND_TABLE = 101;
constexpr int IDS_HELP_FILE = 32781;

// The main viewer: its template, its menu, its controls and its commands.
constexpr int IDD_MAIN_VIEWER = 23201;
constexpr int IDR_MAIN_MENU = 301;
constexpr int IDR_MAIN_TOOLBAR = 302;
constexpr int IDR_MAIN_ACCELERATORS = 303;
constexpr int IDB_LOGO = 353;

constexpr int IDC_METHOD_LIST = 19001;
constexpr int IDC_SHUTDOWN = 19005;
constexpr int IDC_GROUP = 19006;
constexpr int IDC_RECOVERY = 19040;
constexpr int IDC_ON_FAILURE = 19041;
constexpr int IDC_EMERGENCY = 19042;
constexpr int IDC_RUN = 33001;
constexpr int IDC_PAUSE = 33002;
constexpr int IDC_STOP = 33003;

constexpr int ID_ADD_METHOD = 32770;
constexpr int ID_DELETE_METHOD = 32771;
constexpr int ID_PROPERTIES = 32772;
constexpr int ID_ADD_GROUP = 32773;
constexpr int ID_DELETE_GROUP = 32774;
constexpr int ID_AUTONAME = 32775;
constexpr int ID_CHECK_ALL = 32777;
constexpr int ID_UNCHECK_ALL = 32778;
constexpr int ID_USER_ACCOUNTS = 32779;
constexpr int ID_LOCK = 32780;
constexpr int ID_CONTINUE = 32782;
constexpr int ID_STOP_AFTER_METHOD = 32783;
constexpr int ID_RUN_QUEUE = 32784;
constexpr int ID_EXPORT_RESULTS = 32785;
constexpr int ID_IMPORT_WORKLIST = 32786;
constexpr int ID_AUDIT_TRAIL = 32787;
constexpr int ID_QC_RULES = 32788;
constexpr int ID_MODULE_HELP = 9;
// The help topic of the main window, which also tells of the dialogs it opens for a group or a row.
constexpr int IDH_MAIN_VIEWER = 101901;
// The help topics of the windows added since: the run queue, the export and import, the audit trail.
constexpr int IDH_RUN_QUEUE = 101904;
constexpr int IDH_EXPORT_RESULTS = 101905;
constexpr int IDH_IMPORT_WORKLIST = 101906;
constexpr int IDH_AUDIT_TRAIL = 101907;
constexpr int IDH_QC_RULES = 101908;

// The state images of the method list, one a run state.
constexpr int IDB_STATE_IMAGES = 351;

// The properties dialog of a method row and its fields.
constexpr int IDD_METHOD_INFO = 23205;
constexpr int IDC_INFO_SUBFOLDER = 19008;
constexpr int IDC_INFO_OPERATOR = 19011;
constexpr int IDC_INFO_COMMENT = 19012;
constexpr int IDC_INFO_DATA_FILE = 19013;
constexpr int IDC_INFO_START_TIME = 19024;
constexpr int IDC_INFO_END_TIME = 19025;
constexpr int IDC_INFO_RUN_MESSAGE = 19030;

// The add-group dialog and its name field.
constexpr int IDD_ADD_GROUP = 23202;
constexpr int IDC_GROUP_NAME = 19007;

// The add-method dialog, its fields and its method pictures.
constexpr int IDD_ADD_METHOD = 23203;
constexpr int IDC_METHODS = 19003;
constexpr int IDC_FIA_TABLE = 19004;
constexpr int IDC_METHOD_PATH = 19026;
constexpr int IDC_SAMPLES = 22034;
constexpr int IDC_SAMPLES_SPIN = 22036;
constexpr int IDB_METHOD_IMAGES = 352;
constexpr int IDS_LOCATION = 22027;
constexpr int IDS_FIA_SAMPLE_NAME = 22028;
constexpr int IDS_INJECTIONS_PER_LOCATION = 22029;
constexpr int IDS_NO_METHOD_DIRECTORY = 22034;
constexpr int IDS_FIA_REGISTER_UNUSABLE = 22038;

// The autoname dialog and its fields.
constexpr int IDD_AUTONAME = 23204;
constexpr int IDC_AUTONAME_SUBFOLDER = 19008;
constexpr int IDC_AUTONAME_COUNTER = 19009;
constexpr int IDC_AUTONAME_PREFIX = 19010;
constexpr int IDC_AUTONAME_OPERATOR = 19011;

// Module strings of the method list's column headers.
constexpr int IDS_METHOD_NAME = 22024;
constexpr int IDS_DATA_FILE = 22025;
constexpr int IDS_COMMENTS = 22026;
constexpr int IDS_METHOD_LIST_EMPTY = 22023;

// Module strings of the main viewer's questions and refusals.
constexpr int IDS_CAPTION = 22000;
constexpr int IDS_NO_SHUTDOWN = 22011;
constexpr int IDS_SHUTDOWN_STANDBY = 22012;
constexpr int IDS_SHUTDOWN_LAMPS_OFF = 22013;
constexpr int IDS_SHUTDOWN_PUMPS_OFF = 22014;
// The worklist's messages: error records that cannot be read, a row's first data file name, and
// group names that are refused.
constexpr int IDS_NO_ERROR_INFO = 22001;
constexpr int IDS_ERROR_RECORD_FAILED = 22002;
constexpr int IDS_DEFAULT_DATA_FILE = 22003;
constexpr int IDS_GROUP_NAME_REPEATED = 22017;
constexpr int IDS_GROUP_NAME_INVALID = 22035;
constexpr int IDS_DELETE_QUESTION = 22016;
constexpr int IDS_SHUTDOWN_TOO_LONG = 22037;

// Module strings of the logbook.
constexpr int IDS_WINDOW_OPENED = 22030;
constexpr int IDS_WINDOW_CLOSED = 22031;
// The message pane while a run is paused.
constexpr int IDS_RUN_PAUSED = 22039;

// The run of a group: its results, its logbook entries, and what an interrupted run leaves.
constexpr int IDS_RUN_COMPLETE = 22007;
constexpr int IDS_RUN_ABORTED = 22009;
constexpr int IDS_PRERUN_CHECK = 22010;
constexpr int IDS_OLD_DATA_QUESTION = 22015;
constexpr int IDS_START_GROUP = 22032;
constexpr int IDS_LOG_RUN_RESUMED = 22270;
constexpr int IDS_OTHER_GROUPS_DATA = 22272;
constexpr int IDS_ROW_INTERRUPTED = 22040;
constexpr int IDS_GROUP_INTERRUPTED = 22041;
constexpr int IDS_LOG_INTERRUPTED = 22042;
constexpr int IDS_PARTIAL_DATA_KEPT = 22043;
constexpr int IDS_ALSO_INTERRUPTED = 22260;
constexpr int IDS_GROUP_RUN_ELSEWHERE = 22044;
constexpr int IDS_CONTINUE_GROUP = 22045;
constexpr int IDS_RECOVERY_SENT = 22046;
constexpr int IDS_WAITING_FOR_INSTRUMENT = 22047;
constexpr int IDS_LOG_ROW_DONE = 22048;
constexpr int IDS_LOG_ROW_FAILED = 22049;
constexpr int IDS_LOG_ROW_STOPPED = 22050;
constexpr int IDS_GROUP_SUMMARY = 22051;
constexpr int IDS_NO_DATA_WRITTEN = 22052;
constexpr int IDS_SAME_DATA_FOLDER = 22053;
constexpr int IDS_STOPPED_BY = 22054;
// The failure policies as the main window lists them, in ONFAILURE_ order, and what they do.
constexpr int IDS_ONFAILURE_GO_ON = 22056;
constexpr int IDS_ONFAILURE_PAUSE = 22057;
constexpr int IDS_ONFAILURE_STOP = 22058;
constexpr int IDS_FAILURE_PAUSED = 22059;
constexpr int IDS_FAILURE_STOPPED = 22060;
constexpr int IDS_LOG_FAILURE_PAUSED = 22061;
constexpr int IDS_LOG_FAILURE_STOPPED = 22062;
constexpr int IDS_LOG_EMERGENCY_SENT = 22063;
constexpr int IDS_STOP_AFTER_METHOD = 22064;
constexpr int IDS_LOG_STOP_AFTER_METHOD = 22065;
// Results the worklist could not take.
constexpr int IDS_RESULTS_UNSAVED = 22066;
constexpr int IDS_RESULTS_LOST = 22067;
constexpr int IDS_WORKLIST_READ_ONLY = 22068;
// The queue of groups: the dialog that makes it, its refusals, the status bar and the logbook.
constexpr int IDD_RUN_QUEUE = 23210;
constexpr int IDC_QUEUE_GROUPS = 19050;
constexpr int IDC_QUEUE_UP = 19051;
constexpr int IDC_QUEUE_DOWN = 19052;
constexpr int IDS_QUEUE_GROUP_COLUMN = 22140;
constexpr int IDS_QUEUE_EMPTY = 22141;
constexpr int IDS_QUEUE_GROUP_ELSEWHERE = 22142;
constexpr int IDS_QUEUE_RUNNING = 22143;
constexpr int IDS_LOG_QUEUE_STARTED = 22144;
constexpr int IDS_LOG_QUEUE_NEXT = 22145;
constexpr int IDS_LOG_QUEUE_ENDED = 22146;
constexpr int IDS_LOG_QUEUE_STOPPED = 22147;

// The method list's columns of a row's run and the run's progress under the list.
constexpr int IDC_PROGRESS_BAR = 19053;
constexpr int IDC_PROGRESS_TEXT = 19054;
constexpr int IDS_START_COLUMN = 22148;
constexpr int IDS_END_COLUMN = 22149;
constexpr int IDS_DURATION_COLUMN = 22150;
constexpr int IDS_RESULT_COLUMN = 22151;
constexpr int IDS_PROGRESS_ROW = 22152;
constexpr int IDS_PROGRESS_FAILED = 22153;
constexpr int IDS_PROGRESS_LEFT = 22154;
constexpr int IDS_PROGRESS_UNKNOWN = 22155;
// The progress's short forms: "3/12 · 1 failed · 25 min left · ends 14:32".
constexpr int IDS_PROGRESS_SHORT_FAILED = 22300;
constexpr int IDS_PROGRESS_SHORT_LEFT = 22301;
constexpr int IDS_PROGRESS_SHORT_END = 22302;
constexpr int IDS_PROGRESS_SHORT_UNKNOWN = 22303;
// Short forms of status bar messages for a narrow window.
constexpr int IDS_GROUP_SUMMARY_SHORT = 22304;
constexpr int IDS_GROUP_SUMMARY_SHORTEST = 22305;
constexpr int IDS_WAITING_FOR_INSTRUMENT_SHORT = 22306;
constexpr int IDS_FAILURE_PAUSED_SHORT = 22307;
constexpr int IDS_WORKLIST_READ_ONLY_SHORT = 22317;
constexpr int IDS_RESULTS_UNSAVED_SHORT = 22318;
constexpr int IDS_GROUP_INTERRUPTED_SHORT = 22319;
constexpr int IDS_ALSO_INTERRUPTED_SHORT = 22320;
// What the run does when a row's results break the group's QC rules.
constexpr int IDS_LOG_QC_FAILED = 22460;
constexpr int IDS_QC_RERUN_OF = 22461;
constexpr int IDS_QC_PAUSED = 22462;
constexpr int IDS_QC_PAUSED_SHORT = 22463;
constexpr int IDS_QC_STOPPED = 22464;
constexpr int IDS_LOG_QC_CALIBRATING = 22465;
constexpr int IDS_LOG_QC_NO_CALIBRATION = 22466;
constexpr int IDS_LOG_QC_RESUMED = 22467;
constexpr int IDS_QC_COLUMN = 22468;
constexpr int IDS_QC_TIP_FAILED = 22469;
constexpr int IDS_QC_TIP_SUSPECT = 22470;
// The progress while the run is paused.
constexpr int IDS_PROGRESS_PAUSED = 22308;
constexpr int IDS_PROGRESS_SHORT_PAUSED = 22309;
constexpr int IDS_PROGRESS_PAUSED_ONLY = 22310;
constexpr int IDS_PROGRESS_SHORT_PAUSED_ONLY = 22311;
// Why a row's data file or sub-folder is refused, and which rows the refusal is for.
constexpr int IDS_DATA_FILE_FORBIDDEN = 22100;
constexpr int IDS_SUB_FOLDER_FORBIDDEN = 22101;
constexpr int IDS_SUB_FOLDER_LEAVES_DATA_PATH = 22102;
constexpr int IDS_ROW_NAME_REFUSED = 22103;
constexpr int IDS_ROW_STARTED_MEANWHILE = 22271;
constexpr int IDS_EVERY_ROW_NAME_REFUSED = 22104;

// The lock dialog.
constexpr int IDD_LOCKER = 23206;
constexpr int IDC_LOCK_MESSAGE = 19014;
constexpr int IDC_LOCK_PROMPT = 19027;
constexpr int IDS_LOCKED_BY = 22004;
constexpr int IDS_LOCK_PROMPT = 22005;
constexpr int IDS_UNLOCK = 22006;

// The logon dialog and its icon.
constexpr int IDD_LOGON = 23207;
constexpr int IDI_LOGON = 101;
constexpr int IDC_USER_NAME = 19015;
constexpr int IDC_PASSWORD = 19016;
constexpr int IDC_EDIT_ACCOUNT = 19034;
constexpr int IDS_WRONG_LOGON = 22018;

// One account's dialog, its icon and its fields; the lock dialog shares the contact fields.
constexpr int IDD_USER_INFO = 23208;
constexpr int IDI_USER_INFO = 102;
constexpr int IDC_OLD_PASSWORD = 19017;
constexpr int IDC_NEW_PASSWORD = 19018;
constexpr int IDC_CONFIRM_PASSWORD = 19019;
constexpr int IDC_DESCRIPTION = 19020;
constexpr int IDC_PHONE = 19021;
constexpr int IDC_EMAIL = 19022;
constexpr int IDC_ADDRESS = 19023;
constexpr int IDC_OLD_PASSWORD_LABEL = 19028;
constexpr int IDC_CONFIRM_PASSWORD_LABEL = 19029;
constexpr int IDC_ROLE_ADMINISTRATOR = 19035;
constexpr int IDC_ROLE_POWER_USER = 19036;
constexpr int IDC_ROLE_USER = 19037;
constexpr int IDS_USER_NAME_TOO_SHORT = 22019;
constexpr int IDS_NEW_PASSWORD_DIFFERS = 22020;
constexpr int IDS_OLD_PASSWORD_WRONG = 22021;
constexpr int IDS_NO_PASSWORD = 22022;
constexpr int IDS_ACCOUNT_NAME_TAKEN = 22105;
constexpr int IDS_LAST_ADMINISTRATOR = 22107;
constexpr int IDS_LAST_ADMINISTRATOR_ROLE = 22108;
constexpr int IDS_LOGGED_ON = 22109;
constexpr int IDS_PASSWORD_NOT_HASHED = 22180;
constexpr int IDS_LOGON_REFUSED = 22199;

// The account list and the role pictures of its items, one a role.
constexpr int IDD_USER_ACCOUNTS = 23209;
constexpr int IDB_ROLE_IMAGES = 354;
constexpr int IDC_ACCOUNT_LIST = 19002;
constexpr int IDC_ADD_ACCOUNT = 19032;
constexpr int IDC_REMOVE_ACCOUNT = 19033;
constexpr int IDC_EDIT_LISTED_ACCOUNT = 19034;

// The audit trail's window: the records with their filters, the export and the check of the chain.
constexpr int IDD_AUDIT_TRAIL = 23211;
constexpr int IDC_AUDIT_LIST = 19070;
constexpr int IDC_AUDIT_GROUP = 19071;
constexpr int IDC_AUDIT_USER = 19072;
constexpr int IDC_AUDIT_FROM = 19073;
constexpr int IDC_AUDIT_TO = 19074;
constexpr int IDC_AUDIT_SHOWN = 19075;
constexpr int IDC_AUDIT_FILE = 19076;
constexpr int IDC_AUDIT_EXPORT = 19077;
constexpr int IDC_AUDIT_VERIFY = 19078;
constexpr int IDC_AUDIT_RESULT = 19079;
// The list's headings, from the record's number to its new value, in column order.
constexpr int IDS_AUDIT_COLUMN_FIRST = 22181;
constexpr int IDS_AUDIT_ALL = 22189;
constexpr int IDS_AUDIT_SHOWN = 22190;
constexpr int IDS_AUDIT_INTACT = 22191;
constexpr int IDS_AUDIT_CHANGED = 22192;
constexpr int IDS_AUDIT_REMOVED = 22193;
constexpr int IDS_AUDIT_INSERTED = 22194;
constexpr int IDS_AUDIT_EXPORTED = 22195;
constexpr int IDS_AUDIT_EXPORT_FAILED = 22196;
constexpr int IDS_AUDIT_NO_EXPORT_FILE = 22197;
constexpr int IDS_AUDIT_CSV_HEADER = 22198;
constexpr int IDS_AUDIT_MISSING = 22210;
constexpr int IDS_AUDIT_ONE_MISSING = 22211;
constexpr int IDS_AUDIT_UNANCHORED = 22212;
// The caption of a record's whole text.
constexpr int IDS_AUDIT_RECORD_CAPTION = 22312;
// Why a file could not be written.
constexpr int IDS_WRITE_NO_FOLDER = 22313;
constexpr int IDS_WRITE_NO_PERMISSION = 22314;
constexpr int IDS_WRITE_DISK_FULL = 22315;
constexpr int IDS_WRITE_IS_FOLDER = 22316;

// Results written for a LIMS and worklists read from one: the two dialogs, their fields and texts.
constexpr int IDD_EXPORT_RESULTS = 23212;
constexpr int IDD_IMPORT_WORKLIST = 23213;
constexpr int IDC_EXPORT_FILE = 19090;
constexpr int IDC_EXPORT_RESULT = 19091;
constexpr int IDC_IMPORT_FILE = 19092;
constexpr int IDC_IMPORT_SHOWN_GROUP = 19093;
constexpr int IDC_IMPORT_NEW_GROUP = 19094;
constexpr int IDC_IMPORT_GROUP_NAME = 19095;
constexpr int IDC_IMPORT_RESULT = 19096;
constexpr int IDS_EXPORTED = 22220;
constexpr int IDS_EXPORT_FAILED = 22221;
constexpr int IDS_NO_EXPORT_FILE = 22222;
constexpr int IDS_NO_IMPORT_FILE = 22223;
constexpr int IDS_IMPORT_UNREADABLE = 22224;
constexpr int IDS_IMPORT_REFUSED = 22225;
constexpr int IDS_IMPORT_NO_HEADER = 22226;
constexpr int IDS_IMPORT_UNKNOWN_COLUMN = 22227;
constexpr int IDS_IMPORT_REPEATED_COLUMN = 22228;
constexpr int IDS_IMPORT_MISSING_COLUMN = 22229;
constexpr int IDS_IMPORT_UNKNOWN_METHOD = 22230;
constexpr int IDS_IMPORT_TOO_LONG = 22231;
constexpr int IDS_IMPORT_QUOTE_IN_FIELD = 22232;
constexpr int IDS_IMPORT_UNCLOSED_QUOTE = 22233;
constexpr int IDS_IMPORT_TEXT_AFTER_QUOTE = 22234;
constexpr int IDS_IMPORT_FIELD_COUNT = 22235;
constexpr int IDS_IMPORT_BAD_CHECKED = 22236;
constexpr int IDS_IMPORTED = 22237;
constexpr int IDS_IMPORT_NO_ROWS = 22238;
constexpr int IDS_IMPORT_OTHER_GROUPS_DATA = 22273;

// Texts of a worklist that another host shares.
constexpr int IDS_GROUP_CHANGED_ELSEWHERE = 22070;
// The same, where the worklist's server names the instrument that runs the group.
constexpr int IDS_GROUP_RUN_ON_INSTRUMENT = 22240;
constexpr int IDS_GROUP_CHANGED_ON_INSTRUMENT = 22241;
// A group whose claim the server lost while its instrument may still run it, and one taken over.
constexpr int IDS_GROUP_SEEN_ON_INSTRUMENT = 22242;
constexpr int IDS_CLAIM_TAKEN_OVER = 22243;
// A run that goes on while the lab server cannot be reached, keeping its writes on the instrument.
constexpr int IDS_SERVER_AWAY = 22321;
constexpr int IDS_KEPT_FOR_SERVER = 22322;
constexpr int IDS_KEPT_FOR_SERVER_SHORT = 22323;
constexpr int IDS_SERVER_AWAY_NOTICE = 22324;
constexpr int IDS_KEPT_WRITTEN = 22325;
constexpr int IDS_WAITING_FOR_SERVER = 22326;
constexpr int IDS_JOURNAL_UNWRITABLE = 22327;
constexpr int IDS_KEPT_ONE_FOR_SERVER = 22328;
constexpr int IDS_KEPT_ONE_FOR_SERVER_SHORT = 22329;
constexpr int IDS_SERVER_AWAY_NOTICE_ONE = 22330;
constexpr int IDS_ORPHAN_TABLE_QUESTION = 22071;
constexpr int IDS_TRACE_LOG_UNWRITABLE = 22072;
constexpr int IDS_GROUP_NAME_TRAILING_BLANK = 22073;
constexpr int IDS_GROUP_NAME_NO_BREAK_SPACE = 22074;
constexpr int IDS_GROUP_NAME_INVISIBLE = 22075;

// The QC rules of a group: the window that edits them, its names of checks and actions, its list's
// headings and why a rule cannot be kept.
constexpr int IDD_QC_RULES = 23214;
constexpr int IDC_QC_GROUP = 19100;
constexpr int IDC_QC_LIST = 19101;
constexpr int IDC_QC_CHECK = 19102;
constexpr int IDC_QC_LIMIT = 19103;
constexpr int IDC_QC_UPPER = 19104;
constexpr int IDC_QC_ACTION = 19105;
constexpr int IDC_QC_THEN = 19106;
constexpr int IDC_QC_CALIBRATION = 19107;
constexpr int IDC_QC_ADD = 19108;
constexpr int IDC_QC_REMOVE = 19109;
// Four checks in QcCheck order, four actions in QcAction order, five headings in column order.
constexpr int IDS_QC_CHECK_FIRST = 22400;
constexpr int IDS_QC_ACTION_FIRST = 22404;
constexpr int IDS_QC_COLUMN_FIRST = 22408;
constexpr int IDS_QC_RULE_REFUSED = 22413;
constexpr int IDS_QC_NOT_A_NUMBER = 22414;
constexpr int IDS_QC_UNKNOWN_CHECK = 22415;
constexpr int IDS_QC_RECOVERY_RANGE = 22416;
constexpr int IDS_QC_R2_RANGE = 22417;
constexpr int IDS_QC_LIMIT_NEGATIVE = 22418;
constexpr int IDS_QC_ACTIONS_INCOMPLETE = 22419;
constexpr int IDS_QC_NO_CALIBRATION_GROUP = 22420;
constexpr int IDS_QC_GROUP_WITHOUT_CALIBRATE = 22421;
