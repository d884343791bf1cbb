-- The answer to a request for the user's own vCard must name the user as its sender: the client
-- files a vCard under its 'from'. The server drops the 'to' of a stanza that a user addresses to
-- their own bare JID, and the vCard module answers with the request's 'to' as 'from', so this
-- puts the address back before that module answers (its item-not-found error for a missing
-- vCard then carries it too).

module:depends("vcard");

module:hook("iq/bare/vcard-temp:vCard", function(event)
	local origin, stanza = event.origin, event.stanza;
	if stanza.attr.type == "get" and not stanza.attr.to and origin.username then
		stanza.attr.to = origin.username .. "@" .. origin.host;
	end
end, 1);
