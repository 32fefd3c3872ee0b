#include "SingleInstanceTestSupport.h"
#include "app/singleinstance/InstanceEndpoint.h"
#include "app/singleinstance/SingleInstance.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

juce::String makeTestEndpointAddress (const juce::File&)
{
    // Pipes have a name space of their own, shared by all processes: a name no other test run has.
    return "\\\\.\\pipe\\q7x-test-" + juce::Uuid().toString();
}

namespace
{
juce::String sidToString (PSID sid)
{
    LPWSTR text = nullptr;

    if (sid == nullptr || ! ::ConvertSidToStringSidW (sid, &text))
        return {};

    const juce::String result (text);
    ::LocalFree (text);
    return result;
}

// Only the user who runs the editor may open its pipe, and the pipe says it is theirs.
TEST (SingleInstanceWindows, ThePipeIsNamedAfterItsUserAndOnlyTheyMayOpenIt)
{
    const auto address = InstanceEndpoint::getDefaultAddress();
    ASSERT_TRUE (address.startsWith ("\\\\.\\pipe\\q7x-editor-S-1-")) << address;
    const auto userSid = address.fromFirstOccurrenceOf ("q7x-editor-", false, false);

    const auto testAddress = makeTestEndpointAddress ({});
    InstanceEndpoint owner (testAddress);
    std::unique_ptr<InstanceEndpoint::Connection> none;
    ASSERT_EQ (owner.claim (none, 1000), InstanceEndpoint::Claim::owned);

    const auto client = ::CreateFileW (testAddress.toWideCharPointer(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE (client, INVALID_HANDLE_VALUE);

    PSID ownerSid = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ (::GetSecurityInfo (client, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                  &ownerSid, nullptr, &dacl, nullptr, &descriptor),
               (DWORD) ERROR_SUCCESS);
    EXPECT_EQ (sidToString (ownerSid), userSid);
    ASSERT_NE (dacl, nullptr);
    ASSERT_EQ (dacl->AceCount, 1);

    void* ace = nullptr;
    ASSERT_TRUE (::GetAce (dacl, 0, &ace));
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*> (ace);
    EXPECT_EQ (allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ (sidToString (&allowed->SidStart), userSid);

    ::LocalFree (descriptor);
    ::CloseHandle (client);
}

// A pipe of the editor's name that another account made first may be a trap: no command
// line goes to it (nor waits for its answer), and the user is told why launches are not handed over.
TEST (SingleInstanceWindows, APipeOwnedBySomeoneElseIsNotTrusted)
{
    const auto address = makeTestEndpointAddress ({});
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE (::ConvertStringSecurityDescriptorToSecurityDescriptorW (L"O:SYD:(A;;GA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes { sizeof (attributes), descriptor, FALSE };
    const auto squatter = ::CreateNamedPipeW (address.toWideCharPointer(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                              PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, &attributes);
    ::LocalFree (descriptor);

    if (squatter == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this account may not make a pipe owned by the system";

    SingleInstance instance (address);
    EXPECT_EQ (instance.claim ("a.q7x"), SingleInstance::Role::unavailable);
    EXPECT_TRUE (instance.getProblem().contains (address)) << instance.getProblem();
    ::CloseHandle (squatter);
}
} // namespace
