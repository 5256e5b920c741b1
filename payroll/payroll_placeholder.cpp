// The payroll windows are added to this library one by one.
namespace keiro::payroll {}
