#pragma once

#include <string>

// How the core tells a front end that something did not work. Expected failures are values,
// never exceptions, in one of these shapes:
//
// - std::optional<UserMessage>: a check or an action that yields nothing else; empty when it
//   passed (SaveSpecification, SaveHtmlReport, CPspice::WriteFiles, CheckStageGains). A design
//   that could not be done (CDesignSession::Design returned false) keeps its reason for the
//   caller that runs it on a worker thread: CDesignSession::DesignFailure.
// - std::optional<InputError<Field>>: a check of an input dialog; the message and the field that
//   gets the focus (CheckHpLpInput, AcceptBpInput; see model/range_check.h).
// - std::variant<Value, UserMessage>: an operation that yields a value or, instead, a message
//   (ConvertBandEdges, RunNgspiceAc, VerifyWithNgspice).
// - A result struct with an outcome and std::vector<UserMessage> messages: a flow that can end
//   in several ways and may have several things to say (LoadSpecification,
//   CDesignSession::LoadAndDesign).
//
// A bare bool is left where false has nothing to tell the user: a predicate, a setter that
// refuses, the user's cancel. No text is ever empty to mean success. Programming errors (an
// impossible enum value, an index the caller must not pass) throw std::logic_error or
// std::invalid_argument. The command line's own argument parsing keeps its usage texts.
namespace vx {

// A message for the user: the caption of its box and its German text.
struct UserMessage {
    std::string caption;
    std::string text;
    bool operator==(const UserMessage&) const = default;
};

// The last resort of a front end: an exception reached its top. The front end shows this in
// one line (`what` is the exception's text) and stays alive or ends with a failure status.
UserMessage InternalErrorMessage(const std::string& what);

}  // namespace vx
