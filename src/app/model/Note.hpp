#pragma once

#include <boost/date_time/posix_time/ptime.hpp>

#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace app::model {

// One note. A value type: every construction, copies included, takes a fresh id, and
// assignment copies everything but the id. The fields live in a shared, copy-on-write
// payload, so copying a note (as every save snapshot does) costs no string copies.
class Note {
public:
    using Tags = std::set<std::wstring>;
    using DateTime = boost::posix_time::ptime;

    // The note of the loader and the XML import: empty strings, created now.
    Note();
    Note(const std::wstring& text, const std::wstring& source, const std::wstring& title, const DateTime& created);
    Note(const Note& other);
    Note(Note&& other) noexcept;
    Note& operator=(const Note& other);
    Note& operator=(Note&& other) noexcept;
    ~Note();

    int id() const { return id_; }
    const std::wstring& title() const { return payload_->title; }
    const std::wstring& text() const { return payload_->text; }
    // The text, held for as long as the caller keeps it and never changed meanwhile: an
    // edit of the note copies a payload that is still held. For this thread only.
    std::shared_ptr<const std::wstring> sharedText() const { return {payload_, &payload_->text}; }
    // The text folded to lower case with line feeds as spaces. Made on first use, by the
    // thread that owns the notebook (the saving thread never reads it), and kept until
    // the text changes: the filter reads the text itself, so a loaded notebook does not
    // pay for a folded copy of every text.
    const std::wstring& searchText() const;
    // What the filters search, kept up to date with the fields: the title and link folded
    // to lower case (the field itself when folding changes nothing), the date and time as
    // shown, separated by a space, and the tags joined by spaces (tagString).
    const std::wstring& searchTitle() const {
        return payload_->searchTitle.empty() ? payload_->title : payload_->searchTitle;
    }
    const std::wstring& searchLink() const {
        return payload_->searchLink.empty() ? payload_->link : payload_->searchLink;
    }
    const std::wstring& searchTime() const { return payload_->searchTime; }
    const std::wstring& searchTags() const { return payload_->searchTags; }
    const std::wstring& source() const { return payload_->source; }
    const std::wstring& link() const { return payload_->link; }
    const Tags& tags() const { return payload_->tags; }
    const DateTime& created() const { return payload_->created; }

    void setTitle(const std::wstring& title);
    void setText(const std::wstring& text);
    void setText(std::wstring&& text);
    void setSource(const std::wstring& source);
    void setLink(const std::wstring& link);
    void setCreated(const DateTime& created);

    void addTags(const std::wstring& tags);
    void removeTags(const std::wstring& tags);
    void setTags(const std::wstring& tags);
    void setTags(std::wstring&& tags);
    // The tags in set order, one space apart.
    const std::wstring& tagString() const { return payload_->searchTags; }

    // Sets the fields exactly as given, without normalising: the file loader's way in.
    void assignRaw(std::wstring title, std::wstring text, std::wstring source, std::wstring link);

    // Whether a link can be opened: it starts with one of the known address prefixes.
    static bool isUrl(const std::wstring& link);
    // The tags named in a string: folded to lower case, split at spaces, commas and semicolons.
    static Tags parseTags(const std::wstring& tags);
    static DateTime now();
    // Grows whenever any note's fields change, by a setter or by assignment: what was
    // found in notes earlier still holds while it stays the same.
    static std::uint64_t changeCount();

private:
    struct Payload {
        std::wstring title;
        std::wstring text;
        mutable std::wstring searchText;
        mutable bool searchTextMade = false;
        std::wstring source;
        std::wstring link;
        Tags tags;
        DateTime created;
        std::wstring searchTitle;
        std::wstring searchLink;
        std::wstring searchTime;
        std::wstring searchTags;
    };

    Payload& edit();
    static void joinTags(Payload& p);

    int id_;
    std::shared_ptr<Payload> payload_;
};

}  // namespace app::model
