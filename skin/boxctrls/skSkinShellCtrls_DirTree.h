// TskSkinDirTreeView: a skinned tree of the computer's drives and folders with the shell's
// icons. Folders are read when their node first opens; the tree opens a given path, follows
// the user's selection, asks removable drives whether they are ready, and renames folders
// in place through the shell.
#pragma once

#include "skin/controls/SkinCtrls_Views.h"

DECLARE_UNIT(skSkinShellCtrls_DirTree)

class TskSkinMessage;

class TskSkinDirTreeView : public TskSkinCustomTreeView {
    DECLARE_CLASS(TskSkinDirTreeView, TskSkinCustomTreeView)
public:
    explicit TskSkinDirTreeView(TComponent* AOwner);
    ~TskSkinDirTreeView() override;
    static void Published(TPropertyList& P);

    // Shows the drive messages when set; borrowed.
    TskSkinMessage* GetSkinMessage() const { return FSkinMessage; }
    void SetSkinMessage(TskSkinMessage* Value);
    // The path of the selected node: a drive's root ("C:\"), a folder without a trailing
    // "\", "" for the root node. Setting it opens the path.
    AnsiString GetDirectory();
    void SetDirectory(const AnsiString& Value) { OpenPath(Value); }
    // The folder the tree follows: the path opened last (with a trailing "\"), the path of
    // the node the user chose, or "Drives" for the root node.
    const AnsiString& GetFollowedPath() const { return FDirectory; }
    // Puts Path in place of the followed path, opening nothing.
    void SetSelectedPath(const AnsiString& Path);
    const AnsiString& GetInitialDir() const { return FInitialDir; }
    // Opens Value when it is an existing folder other than the one opened this way last.
    void SetInitialDir(const AnsiString& Value);

    // Selects and expands, node by node and ignoring case, the drive and folders of Path.
    // A drive that is not ready, a folder that does not exist or a path shorter than two
    // characters leaves the tree as it is.
    void OpenPath(const AnsiString& Path);
    // Empties the tree and loads the root and the drives again.
    void ReLoad();
    void LoadRoot();
    void LoadDrives();
    // The sub-folders of Path as children of Node.
    void AddSubs(const AnsiString& Path, TTreeNode Node);
    // The path of Node into NodePath.
    void MakePath(TTreeNode Node);
    AnsiString GetPathFromNode(TTreeNode Node);

    void Loaded() override;

protected:
    void CreateWnd() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool CanEdit(TTreeNode Node) override;
    void Edit(const TVITEMA& Item) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void Expanding(TObject* Sender, TTreeNode Node, bool& AllowExpansion);

    // The tree draws its items; the selected one keeps a visible mark while the focus is
    // elsewhere.
    void CNNotify(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinDirTreeView, TskSkinCustomTreeView)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    END_MESSAGE_HANDLERS

private:
    // The shell's image list the tree is made with belongs to it, not to the form.
    bool IsImagesStored() const { return GetImages() != FImages.get(); }
    // Takes the selected node as the followed path; a removable drive that is not ready
    // goes back to the path before when StepBack.
    void FollowSelection(bool StepBack);
    // Loads and opens the first node.
    void LoadAndOpen();
    // A node of the tree's second level.
    bool IsDriveNode(TTreeNode Node) { return Node && GetLevel(Node) == 1; }
    // The text a node matches a part of a path with: "C:\" for a drive, "name\" for a folder.
    AnsiString NodePart(TTreeNode Node);
    bool RenameFolder(const AnsiString& OldPath, const AnsiString& NewPath);

    TskSkinMessage* FSkinMessage = nullptr;
    AnsiString FOldDirectory;
    AnsiString FDirectory;
    AnsiString FNodePath;
    AnsiString FInitialDir;
    std::unique_ptr<TImageList> FImages;
};
