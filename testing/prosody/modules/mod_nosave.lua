-- Off-the-record state ("google:nosave"): the client asks for it once after signing in and does
-- not read the answer, so a get is answered with an empty query (no contact is off the record).

local st = require "util.stanza";

local xmlns_nosave = "google:nosave";

module:add_feature(xmlns_nosave);

module:hook("iq-get/self/google:nosave:query", function(event)
	event.origin.send(st.reply(event.stanza):tag("query", { xmlns = xmlns_nosave }));
	return true;
end);
